// The list box's order where ICU's differs. Punctuation and symbols come
// before digits and letters in one fixed order of their own; signs that are
// a letter in disguise (ª, ð, ƒ) differ from it by an accent, raised and
// circled digits from theirs by form; ligatures are the letters they join.
// Forms that differ only in width are one entry here; list_order.cpp weighs
// the form.
#include "list_order_rules.h"

namespace {

// Every symbol of code pages 1252, 1251 and 932, in the list box's order.
// The characters of one entry differ only in width. The first are the
// characters weighed last, which weigh here only when a repeat mark
// repeats them.
// clang-format off
const char16_t* const kSymbolOrder[] = {
    u"\u007F", u"'", u"-", u"－", u"‐", u"–", u"—",
    u"\u0020\u3000", u"\u00A0", u"!！", u"\"", u"#＃", u"$＄", u"%％", u"&＆", u"(（", u")）",
    u"*＊", u",，", u"､、", u".．", u"｡。", u"/／", u":：", u";；", u"?？", u"@＠", u"[［",
    u"\\＼", u"]］", u"^＾ˆ", u"_＿", u"`｀", u"{｛", u"|｜", u"}｝", u"~～",
    u"¡", u"¦", u"¨", u"¯￣", u"´", u"¸", u"¿", u"˜", u"‘", u"’", u"‚", u"“", u"”", u"„", u"‹", u"›",
    u"′", u"〈", u"〉", u"《", u"¢￠", u"£￡", u"》", u"¤", u"¥￥", u"€",
    u"｢「", u"｣」", u"『", u"』", u"【", u"】", u"〔", u"〕", u"〝", u"〟", u"〃", u"〆",
    u"+＋", u"<＜", u"=＝", u"≠", u">＞", u"±", u"«", u"»", u"≪", u"≫", u"×", u"÷",
    u"∀", u"∂", u"∃", u"∇", u"∈", u"∋", u"∑", u"√", u"∝", u"∟", u"∠", u"∥", u"∧", u"∨", u"∩", u"∪",
    u"∫", u"∮", u"∴", u"∵", u"∽", u"≒", u"≡", u"≦", u"≧", u"⊂", u"⊃", u"⊆", u"⊇", u"⊥", u"⊿", u"⌒",
    u"■", u"□", u"▲", u"△", u"◯", u"▼", u"▽", u"◆", u"◇", u"○", u"◎", u"●",
    u"↑", u"→", u"⇒", u"↓", u"←", u"⇔",
    u"─", u"│", u"┌", u"┐", u"└", u"┘", u"├", u"┤", u"┬", u"┴", u"┼",
    u"§", u"©", u"¬￢", u"®", u"°", u"µ", u"¶", u"·･・", u"‥", u"…", u"∬", u"〒", u"〓",
    u"☆", u"★", u"♀", u"♂", u"♪", u"♭", u"♯", u"†", u"‡", u"•", u"‰", u"※",
};
// clang-format on

const int kLastLevelCount = 7;  // the entries before the space

// Letters and digits the list box places otherwise than ICU does; a middle
// dot after l is a symbol, as anywhere else.
const char16_t kLetterRules[] =
    u"[suppressContractions [·]]"
    u"&[before 2]á<<ª &[before 2]ó<<º &d<<ð<<<Ð &ã<<å<<<Å &f<<ƒ &ae=æ &AE=Æ &oe=œ &OE=Œ &ss=ß "
    u"&th=þ &TH=Þ &t<™<℡ &n<№ &г<ґ<<<Ґ"
    u"&0<<〇<¼<½<¾ &1<<<¹<<<① &2<<<²<<<② &3<<<³<<<③ &4<<<④ &5<<<⑤ &6<<<⑥ &7<<<⑦ &8<<<⑧ &9<<<⑨"
    u"<⑩<⑪<⑫<⑬<⑭<⑮<⑯<⑰<⑱<⑲<⑳<Ⅰ<Ⅱ<Ⅲ<Ⅳ<Ⅴ<Ⅵ<Ⅶ<Ⅷ<Ⅸ<Ⅹ<∞"
    u"&C<<℃ &cc=㏄ &cm=㎝ &kg=㎏ &kk=㏍ &km=㎞ &m2=㎡ &mg=㎎ &mm=㎜";

// The signs 932 adds to the kana and the ideographs. A voicing mark written
// apart weighs more than one written with its kana; the ideographs'
// iteration mark, when it repeats kana, weighs between the two.
const char16_t kKanaRules[] =
    u"&\u309A<<ﾞ<<<゛<<々<<ﾟ<<<゜"
    u"&ん<㍉<㌔<㌢<㍍<㌘<㌧<㌃<㌶<㍑<㍗<㌍<㌦<㌣<㌫<㍊<㌻<仝<㍾<㍽<㍼<㍻"
    u"&右<㊨ &下<㊦ &株<㈱ &左<㊧ &上<㊤ &代<㈹ &中<㊥ &有<㈲";

// Heavy box lines are accents of the light ones; a double prime is two.
const char16_t kLineRules[] =
    u"&─<<━ &│<<┃ &┌<<┏ &┐<<┓ &└<<┗ &┘<<┛ &├<<┝<<┠<<┣ &┤<<┥<<┨<<┫ &┬<<┯<<┰<<┳"
    u"&┴<<┷<<┸<<┻ &┼<<┿<<╂<<╋ &[before 2]′′<<″";

// Under a Japanese locale the backslash is the yen sign 932 shows there,
// and the wide macron stays a macron.
const char16_t kJapaneseRules[] = u"&¥<<<\\\\ &¯<<<￣";

// Quoted, since most symbols mean something in ICU's rule syntax; there an
// apostrophe is written twice.
void AppendQuoted(icu::UnicodeString& rules, char16_t c) {
    if (c == u'\'') {
        rules += u"''";
        return;
    }
    rules += u'\'';
    rules += c;
    rules += u'\'';
}

}  // namespace

icu::UnicodeString ListOrderRules(const icu::UnicodeString& localeRules, bool japanese) {
    icu::UnicodeString rules(u"&[before 1]0");
    for (const char16_t* widths : kSymbolOrder) {
        rules += u'<';
        for (const char16_t* c = widths; *c; ++c) {
            if (c != widths) rules += u"<<<";
            AppendQuoted(rules, *c);
        }
    }
    // The bytes a single-byte code page leaves unassigned, which Windows
    // reads as C1 controls (0x81 of 1252 is the letter Ѓ in 1251).
    for (char16_t c = 0x80; c < 0xA0; ++c) {
        rules += u'<';
        AppendQuoted(rules, c);
    }
    rules += kLetterRules;
    rules += kLineRules;
    rules += localeRules;
    rules += kKanaRules;
    if (japanese) rules += kJapaneseRules;
    return rules;
}

int LastLevelRank(char16_t c) {
    for (int rank = 0; rank < kLastLevelCount; ++rank)
        if (kSymbolOrder[rank][0] == c) return rank;
    return -1;
}

bool Ignorable(char16_t c) { return c == u'\u00AD'; }
