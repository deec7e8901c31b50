#include "upper_case.h"

namespace {

unsigned char UpperCaseByte(unsigned char byte) {
    if (byte >= 'a' && byte <= 'z') return byte - 'a' + 'A';
    switch (byte) {
    case 0x84: return 0x8E;
    case 0x94: return 0x99;
    case 0x81: return 0x9A;
    case 0x82: return 0x90;
    case 0xA4: return 0xA5;
    case 0x86: return 0x8F;
    case 0x87: return 0x80;
    default: return byte;
    }
}

}  // namespace

std::string UpperCased(const std::string& text) {
    std::string result = text;
    for (char& c : result) c = static_cast<char>(UpperCaseByte(static_cast<unsigned char>(c)));
    return result;
}
