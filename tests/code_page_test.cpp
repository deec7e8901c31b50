// File names in the ANSI code page this test runs in (./test runs it once per
// locale: 932, 936, 949, 950, 1251, 1252, each in a Wine prefix of its own):
// names whose characters have "\" (0x5C) or "|" (0x7C) as their second
// byte, in file names, folder names, as the last character and in the start
// program, made into a package by the builder and through the window, then
// installed with /Q /X:, run plainly and tested with /T. The extracted tree
// must be the source tree. Each run leaves its package for the runs in the
// other code pages, which install it as a package made elsewhere: the start
// program runs, or the package says which name this system cannot hold.
// So do the packages of the password table (ASCII or not, with a start
// program ASCII or not), installed with the password typed here.
// This test program runs beside the real stubs, as the builder does.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "main_dialog_fixture.h"
#include "native_reader.h"
#include "platform_paths.h"
#include "resource.h"
#include "setup_list.h"
#include "stub_packages.h"
#include "temp_dir.h"

namespace {

// Per code page two characters: `five` and `seven` end in the bytes 0x5C and
// 0x7C there where the code page has such characters (949, 1251 and 1252 have
// none: there they are two of its own letters).
struct CodePageCase {
    unsigned codePage;
    const wchar_t* five;
    const wchar_t* seven;
    unsigned fiveSecond, sevenSecond;  // the second bytes, 0 for single-byte ones
};

const CodePageCase kCases[] = {
    {932, L"\u8868", L"\u30DD", 0x5C, 0x7C},  // 表 ポ
    {936, L"\u4E57", L"\u4E85", 0x5C, 0x7C},  // 乗 亅
    {949, L"\uD55C", L"\uAE00", 0, 0},        // 한 글
    {950, L"\u529F", L"\u56DB", 0x5C, 0x7C},  // 功 四
    {1251, L"\u0416", L"\u042F", 0, 0},       // Ж Я
    {1252, L"\u00E9", L"\u00F1", 0, 0},       // é ñ
};

std::string Ansi(const std::wstring& wide, UINT codePage = CP_ACP) {
    std::string bytes(wide.size() * 2 + 1, '\0');
    bytes.resize(WideCharToMultiByte(codePage, 0, wide.c_str(), -1, &bytes[0],
                                     static_cast<int>(bytes.size()), nullptr, nullptr));
    if (!bytes.empty()) bytes.pop_back();
    return bytes;
}

std::wstring Wide(const std::string& bytes) {
    std::wstring wide(bytes.size() + 1, L'\0');
    wide.resize(
        MultiByteToWideChar(CP_ACP, 0, bytes.c_str(), -1, &wide[0], static_cast<int>(wide.size())));
    if (!wide.empty()) wide.pop_back();
    return wide;
}

// Whether this system's code page gives back exactly these characters.
bool Holds(const std::wstring& name) { return Wide(Ansi(name)) == name; }

std::string Utf8(const std::wstring& wide) { return Ansi(wide, CP_UTF8); }

// The source tree: relative names ("\" separators, a trailing one for an
// empty folder) and their contents.
using Tree = std::map<std::wstring, std::string>;

std::wstring StartProgram(const CodePageCase& c) {
    return L"setup" + std::wstring(c.five) + L".exe";
}

// The record holds the password in the code page of the machine that made
// the package; it is typed on another.
std::wstring Password(const CodePageCase& c) { return L"pw" + std::wstring(c.seven); }

// The packages of the password table: the password and the start program
// each plain ASCII or in the characters of the code page that made them.
struct PasswordPackage {
    bool asciiPassword, asciiStart;
};
const PasswordPackage kPasswordPackages[] = {
    {true, true}, {true, false}, {false, true}, {false, false}};

std::wstring TablePassword(const CodePageCase& c, const PasswordPackage& p) {
    return p.asciiPassword ? L"Secret7" : Password(c);
}
std::wstring TableStart(const CodePageCase& c, const PasswordPackage& p) {
    return p.asciiStart ? L"SETUP.EXE" : StartProgram(c);
}
std::string PasswordPackageName(unsigned codePage, const PasswordPackage& p) {
    return std::string("password-") + (p.asciiPassword ? "ascii" : "own") + "-start-" +
           (p.asciiStart ? "ascii" : "own") + "-" + std::to_string(codePage) + ".exe";
}

Tree SourceTree(const CodePageCase& c) {
    const std::wstring five = c.five, seven = c.seven;
    Tree tree;
    tree[seven + L"-" + seven + L".txt"] = "a file with a 0x7C second byte";
    tree[L"list" + five] = "a file whose last character ends in 0x5C";
    tree[L"dir" + five + L"\\" + five + seven + L".dat"] = "in a folder that ends in 0x5C";
    tree[five + L"\\" + seven + L"\\deep" + five + L".txt"] = "two folders down";
    tree[L"empty" + five + L"\\"] = "";
    tree[StartProgram(c)] = ProbeProgram();
    return tree;
}

void MakeTree(const std::wstring& root, const Tree& tree) {
    for (const auto& entry : tree) {
        const std::wstring& name = entry.first;
        // Every folder above, found by UTF-16 characters.
        for (size_t at = name.find(L'\\'); at != std::wstring::npos; at = name.find(L'\\', at + 1))
            CreateDirectoryW((root + L"\\" + name.substr(0, at)).c_str(), nullptr);
        if (name.back() == L'\\') continue;
        HANDLE file = CreateFileW((root + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << Utf8(name);
        DWORD written = 0;
        WriteFile(file, entry.second.data(), static_cast<DWORD>(entry.second.size()), &written,
                  nullptr);
        CloseHandle(file);
    }
}

std::string WholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

// What a folder holds, read by UTF-16 names: files with their bytes, and
// folders that hold nothing as "name\".
void ReadTree(const std::wstring& root, const std::wstring& prefix, Tree& tree) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((root + L"\\" + prefix + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    bool empty = true;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        empty = false;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ReadTree(root, prefix + name + L"\\", tree);
        else
            tree[prefix + name] = WholeFile(root + L"\\" + prefix + name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    if (empty && !prefix.empty()) tree[prefix] = "";
}

Tree ReadTree(const std::wstring& root) {
    Tree tree;
    ReadTree(root, L"", tree);
    return tree;
}

std::string Show(const Tree& tree) {
    std::string text;
    for (const auto& entry : tree)
        text += "  " + Utf8(entry.first) + " (" + std::to_string(entry.second.size()) + ")\n";
    return text;
}

// The files the probe found below its folder, as it lists them.
std::string ProbeLine(const std::wstring& name, size_t size) {
    return "file=" + Ansi(name) + " " + std::to_string(size) + "\r\n";
}

const CodePageCase* ThisCodePage() {
    for (const CodePageCase& c : kCases)
        if (c.codePage == GetACP()) return &c;
    return nullptr;
}

std::string SharedFolder() {
    const char* shared = std::getenv("CODE_PAGE_PACKAGES_DIR");
    return shared ? WinePath(shared) : std::string();
}

class CodePage : public MainDialogTest {
protected:
    void SetUp() override {
        const char* expected = std::getenv("VORNALY_CODE_PAGE");
        ASSERT_NE(expected, nullptr) << "run by ./test once per locale";
        // A wrong code page would test another table row, or Wine's file
        // names without the host locale.
        ASSERT_EQ(GetACP(), std::strtoul(expected, nullptr, 10));
        ASSERT_NE(ThisCodePage(), nullptr);
        MainDialogTest::SetUp();
    }

    TempDir dir;
};

TEST_F(CodePage, NamesWithEverySecondByteInstallAsTheirTree) {
    const CodePageCase& c = *ThisCodePage();
    // The characters are what the table says they are in this code page.
    for (const auto& character :
         {std::make_pair(c.five, c.fiveSecond), std::make_pair(c.seven, c.sevenSecond)}) {
        std::string bytes = Ansi(character.first);
        ASSERT_TRUE(Holds(character.first));
        if (character.second) {
            ASSERT_EQ(bytes.size(), 2u);
            EXPECT_EQ(static_cast<unsigned char>(bytes[1]), character.second);
        }
    }
    const Tree source = SourceTree(c);
    const std::wstring sourceRoot = Wide(dir / "Disk1");
    CreateDirectoryW(sourceRoot.c_str(), nullptr);
    MakeTree(sourceRoot, source);
    ASSERT_EQ(ReadTree(sourceRoot), source);

    const std::string package = dir / "Package.exe";
    const std::string password = " \"/P:" + Ansi(Password(c)) + "\"";
    EXPECT_EQ(RunChild("\"" + WinePath(VNPMAKE_UNIX_PATH) + "\" \"/PASSWORD:" + Ansi(Password(c)) +
                       "\" \"/START:" + Ansi(StartProgram(c)) + "\" \"" + package + "\" \"" +
                       dir / "Disk1" + "\""),
              0);
    const std::string bytes = ReadWholeFile(package);
    ASSERT_FALSE(bytes.empty());

    // The window's Create of the same folder gives the same package.
    AddSetupFolders(TheShell.setupList, {dir / "Disk1"});
    SetWindowTextA(TheShell.passwordField, Ansi(Password(c)).c_str());
    const std::string windowPackage = dir / "Window.exe";
    {
        DialogAnswerer open("Select the Vornaly executable", IDOK, [&](HWND dialog) {
            SetDlgItemTextA(dialog, 0x47C, windowPackage.c_str());
        });
        Click(IDC_CREATE);
        open.Join();
        ASSERT_TRUE(open.Seen());
    }
    EXPECT_TRUE(ReadWholeFile(windowPackage) == bytes) << "the window's package differs";

    OwnTemporaryFolder temp(dir.MakeFolder("temp"));
    const std::string extracted = dir / "extracted";
    EXPECT_EQ(RunChild("\"" + package + "\" /Q \"/X:" + extracted + "\"" + password), 0);
    EXPECT_EQ(ReadTree(Wide(extracted)), source) << "extracted:\n"
                                                 << Show(ReadTree(Wide(extracted))) << "source:\n"
                                                 << Show(source);
    // The native reader gives the same tree, times and attributes, and
    // takes the password as the package does.
    const std::string nativeExtracted = dir / "native";
    const std::string readerArguments =
        " \"" + UnixPath(package) + "\" \"" + UnixPath(dir.Path()) + "/native\"";
    EXPECT_EQ(RunReader("extract --password=wrong" + readerArguments).exitCode, 1);
    EXPECT_EQ(
        RunReader("extract \"--password=" + Utf8(Password(c)) + "\"" + readerArguments).exitCode,
        0);
    EXPECT_TRUE(ReadTree(Wide(nativeExtracted)) == source) << Show(ReadTree(Wide(nativeExtracted)));
    EXPECT_EQ(TreeStamps(Wide(nativeExtracted)), TreeStamps(Wide(extracted)));

    const std::string log = dir / "probe.log";
    SetEnvironmentVariableA("VNP_PROBE_LOG", log.c_str());
    SetEnvironmentVariableA("VNP_PROBE_EXIT", "42");
    EXPECT_EQ(RunChild("\"" + package + "\"" + password), 42);
    const std::string found = ReadWholeFile(log);
    for (const auto& entry : source) {
        if (entry.first.back() == L'\\') continue;
        EXPECT_NE(found.find(ProbeLine(entry.first, entry.second.size())), std::string::npos)
            << Utf8(entry.first) << " in\n"
            << found;
    }

    std::string said;
    EXPECT_EQ(RunChild("\"" + package + "\" /T",
                       [&] {
                           if (HWND box = WaitForForeignDialog("Vornaly")) {
                               said = BoxText(box);
                               PostMessageA(box, WM_COMMAND, IDOK, 0);
                           }
                       }),
              0);
    EXPECT_EQ(said, "The package is complete.");
    EXPECT_EQ(FolderContents(dir / "temp"), std::vector<std::string>());
    ReaderVerdict native = ReaderTest(package);
    EXPECT_EQ(native.exitCode, 0);
    EXPECT_EQ(native.said, said);

    // Cut for diskettes under a name that ends in 0x5C: the pieces are found
    // by that name, and the one missing is asked for by it.
    const std::wstring five = c.five;
    // A setup folder whose last character ends in 0x5C, before the closing
    // quote of the builder's argument.
    const std::string disk2Name = dir / Ansi(L"Disk" + five);
    const std::wstring disk2 = Wide(disk2Name);
    CreateDirectoryW(disk2.c_str(), nullptr);
    const Tree noise = {{L"noise" + five + L".bin", Noise(1500000)}};
    MakeTree(disk2, noise);
    const std::string pieces = dir.MakeFolder(Ansi(L"pieces" + five));
    const std::string first = pieces + "\\" + Ansi(L"disk" + five + L"_001.exe");
    const std::string second = pieces + "\\" + Ansi(L"disk" + five + L"_002.exe");
    EXPECT_EQ(RunChild("\"" + WinePath(VNPMAKE_UNIX_PATH) + "\" /SPAN \"" + pieces + "\\" +
                       Ansi(L"disk" + five + L".exe") + "\" \"" + dir / "Disk1" + "\" \"" +
                       disk2Name + "\""),
              0);
    ASSERT_NE(GetFileAttributesA(second.c_str()), INVALID_FILE_ATTRIBUTES);
    const std::string fromPieces = dir / "from-pieces";
    EXPECT_EQ(RunChild("\"" + first + "\" /Q \"/X:" + fromPieces + "\""), 0);
    Tree whole = source;
    whole.insert(noise.begin(), noise.end());
    EXPECT_EQ(ReadTree(Wide(fromPieces)), whole) << Show(ReadTree(Wide(fromPieces)));
    EXPECT_EQ(RunReader("extract \"" + UnixPath(first) + "\" \"" + UnixPath(dir.Path()) +
                        "/native-pieces\"")
                  .exitCode,
              0);
    EXPECT_TRUE(ReadTree(Wide(dir / "native-pieces")) == whole)
        << Show(ReadTree(Wide(dir / "native-pieces")));
    EXPECT_EQ(ReaderTest(first).exitCode, 0);
    ASSERT_TRUE(MoveFileA(second.c_str(), (dir / "away.exe").c_str()));
    said.clear();
    EXPECT_EQ(RunChild("\"" + first + "\" \"/X:" + dir / "not-there" + "\"",
                       [&] {
                           if (HWND box = WaitForForeignDialog("Vornaly")) {
                               said = BoxText(box);
                               PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
                           }
                       }),
              1223);
    EXPECT_EQ(said, "Insert the diskette with " + Ansi(L"disk" + five + L"_002.exe") + ".");

    // The program's own folder making, where the system has none (Windows
    // 95), and its test for a file whose name ends in 0x5C.
    MakeFoldersAbove(dir / Ansi(L"made" + five + L"\\deeper" + five + L"\\file"));
    EXPECT_EQ(ReadTree(Wide(dir / Ansi(L"made" + five))), (Tree{{L"deeper" + five + L"\\", ""}}));
    EXPECT_TRUE(FileExists(dir / ("Disk1\\" + Ansi(L"list" + five))));

    // Left for the runs in the other code pages, with the packages of the
    // password table.
    if (!SharedFolder().empty()) {
        CreateDirectoryA(SharedFolder().c_str(), nullptr);
        WriteBytes(SharedFolder() + "\\made-in-" + std::to_string(c.codePage) + ".exe", bytes);
        for (const PasswordPackage& p : kPasswordPackages) {
            // Made here and copied, as the package above, so that no two
            // code pages' Creates work in one folder at once.
            const std::string name = PasswordPackageName(c.codePage, p);
            const std::string folder = dir.MakeFolder(name + "-files");
            MakeTree(Wide(folder), {{TableStart(c, p), ProbeProgram()}, {L"a.txt", "a"}});
            EXPECT_EQ(RunChild("\"" + WinePath(VNPMAKE_UNIX_PATH) + "\" \"/PASSWORD:" +
                               Ansi(TablePassword(c, p)) + "\" \"/START:" + Ansi(TableStart(c, p)) +
                               "\" \"" + dir / name + "\" \"" + folder + "\""),
                      0);
            WriteBytes(SharedFolder() + "\\" + name, ReadWholeFile(dir / name));
        }
    }
}

// The password is compared in the code page that wrote the record, whatever
// the start program's name: each code page installs every code page's
// packages (its own too) with the password typed in its own. Where it lacks
// a character of the start program, the package says so; where it lacks
// one of the password, no password typed here is right.
TEST_F(CodePage, PasswordsAreRightWhicheverCodePageMadeThePackage) {
    ASSERT_FALSE(SharedFolder().empty()) << "run by ./test after every code page made its package";
    OwnTemporaryFolder temp(dir.MakeFolder("temp"));
    const std::string log = dir / "probe.log", packageLog = dir / "package.log";
    SetEnvironmentVariableA("VNP_PROBE_LOG", log.c_str());
    SetEnvironmentVariableA("VNP_PROBE_EXIT", "42");
    for (const CodePageCase& maker : kCases) {
        for (const PasswordPackage& p : kPasswordPackages) {
            const std::string name = PasswordPackageName(maker.codePage, p);
            SCOPED_TRACE(name);
            DeleteFileA(log.c_str());
            DeleteFileA(packageLog.c_str());
            const std::wstring password = TablePassword(maker, p);
            int code = RunChild("\"" + SharedFolder() + "\\" + name + "\" /Q:A \"/L:" + packageLog +
                                "\" \"/P:" + Ansi(password) + "\"");
            const std::string said = ReadWholeFile(packageLog);
            if (!Holds(TableStart(maker, p))) {
                EXPECT_EQ(code, 1);
                EXPECT_NE(said.find("This system cannot hold the file name "), std::string::npos)
                    << said;
            } else if (!Holds(password)) {
                EXPECT_EQ(code, 1);
                EXPECT_NE(said.find("The password given with /P: is not right."), std::string::npos)
                    << said;
            } else {
                EXPECT_EQ(code, 42) << said;
                EXPECT_NE(ReadWholeFile(log).find(ProbeLine(L"a.txt", 1)), std::string::npos);
            }
            EXPECT_EQ(FolderContents(dir / "temp"), std::vector<std::string>());
        }
    }
}

// The packages the other code pages made: this system's code page reads the
// record's start program in theirs. Where it holds every name, the start
// program runs; where it lacks a character of one, the package says which
// name, and nothing is left.
TEST_F(CodePage, PackagesMadeInOtherCodePagesRunOrSayWhatCannotBeHeld) {
    ASSERT_FALSE(SharedFolder().empty()) << "run by ./test after every code page made its package";
    OwnTemporaryFolder temp(dir.MakeFolder("temp"));
    for (const CodePageCase& maker : kCases) {
        if (maker.codePage == GetACP()) continue;
        SCOPED_TRACE("made in code page " + std::to_string(maker.codePage));
        const std::string package = dir / ("made-in-" + std::to_string(maker.codePage) + ".exe");
        const std::string bytes =
            ReadWholeFile(SharedFolder() + "\\made-in-" + std::to_string(maker.codePage) + ".exe");
        ASSERT_FALSE(bytes.empty());
        WriteBytes(package, bytes);
        const Tree source = SourceTree(maker);
        std::wstring unheld;
        for (const auto& entry : source)
            if (unheld.empty() && !Holds(entry.first)) unheld = entry.first;

        const std::string log = dir / "probe.log", packageLog = dir / "package.log";
        DeleteFileA(log.c_str());
        DeleteFileA(packageLog.c_str());
        SetEnvironmentVariableA("VNP_PROBE_LOG", log.c_str());
        SetEnvironmentVariableA("VNP_PROBE_EXIT", "42");
        // /T finds nothing wrong in a package that installs.
        if (unheld.empty()) {
            EXPECT_EQ(RunChild("\"" + package + "\" /Q /T"), 0);
        }
        int code = RunChild("\"" + package + "\" /Q:A \"/L:" + packageLog +
                            "\" \"/P:" + Ansi(Password(maker)) + "\"");
        const std::string said = ReadWholeFile(packageLog);
        if (unheld.empty()) {
            EXPECT_EQ(code, 42) << said;
            const std::string found = ReadWholeFile(log);
            for (const auto& entry : source) {
                if (entry.first.back() == L'\\') continue;
                EXPECT_NE(found.find(ProbeLine(entry.first, entry.second.size())),
                          std::string::npos)
                    << Utf8(entry.first) << " in\n"
                    << found;
            }
        } else {
            EXPECT_EQ(code, 1) << said;
            EXPECT_NE(said.find("This system cannot hold the file name "), std::string::npos)
                << said;
            EXPECT_NE(said.find("code page (" + std::to_string(GetACP()) + ")"), std::string::npos)
                << said;
            EXPECT_EQ(ReadWholeFile(log), "") << "nothing may run";
        }
        EXPECT_EQ(FolderContents(dir / "temp"), std::vector<std::string>());
    }
}

}  // namespace
