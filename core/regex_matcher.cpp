#include "core/regex_matcher.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <array>
#include <cstdint>

#include "core/words.h"

namespace umlo {

namespace {

// Bounds of one match attempt. The dictionary's contexts are a few dozen
// characters and a text search is linear in practice; only runaway
// backtracking comes near these.
constexpr std::uint32_t kMatchLimit = 5'000'000;
constexpr std::uint32_t kDepthLimit = 100'000;
constexpr std::size_t kJitStackStart = 32 * 1024;
constexpr std::size_t kJitStackMax = 1024 * 1024;

// Offsets and sizes of the parts of PCRE2's character tables (see the
// pcre2_maketables documentation): lower case, flip case, class bitmaps,
// character types.
constexpr std::size_t kLccOffset = 0;
constexpr std::size_t kFccOffset = 256;
constexpr std::size_t kCbitsOffset = 512;
constexpr std::size_t kCbitLength = 320;
constexpr std::size_t kCtypesOffset = kCbitsOffset + kCbitLength;
constexpr std::size_t kTablesLength = kCtypesOffset + 256;

// The class bitmaps inside cbits, 32 bytes each.
enum CbitMap : std::size_t {
    kCbitSpace = 0,
    kCbitXdigit = 32,
    kCbitDigit = 64,
    kCbitUpper = 96,
    kCbitLower = 128,
    kCbitWord = 160,
    kCbitGraph = 192,
    kCbitPrint = 224,
    kCbitPunct = 256,
    kCbitCntrl = 288,
};

struct CtypeBits {
    std::uint8_t space = 0, letter = 0, lcletter = 0, digit = 0, word = 0;
};

// The bit values of the character-type table have changed between PCRE2
// releases; read them off the library's own tables for a few ASCII characters,
// whose classification is the same in every locale.
CtypeBits LibraryCtypeBits() {
    CtypeBits bits;
    const std::uint8_t* t = pcre2_maketables(nullptr);
    if (t == nullptr) {
        // The layout of current releases.
        return {0x01, 0x02, 0x04, 0x08, 0x10};
    }
    const std::uint8_t* ctypes = t + kCtypesOffset;
    bits.space = ctypes[static_cast<unsigned char>(' ')];
    bits.word = ctypes[static_cast<unsigned char>('_')];
    bits.digit = ctypes[static_cast<unsigned char>('0')] & ~bits.word;
    bits.letter = ctypes[static_cast<unsigned char>('A')] & ~bits.word;
    bits.lcletter =
        ctypes[static_cast<unsigned char>('a')] & ~ctypes[static_cast<unsigned char>('A')];
    pcre2_maketables_free(nullptr, t);
    return bits;
}

bool IsLatinLetter(unsigned c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsLatinLower(unsigned c) {
    return c >= 'a' && c <= 'z';
}
bool IsAsciiDigit(unsigned c) {
    return c >= '0' && c <= '9';
}

// Character tables for cp1251: the Russian letters are the word characters,
// the six separators the spaces, and both Russian and Latin letters have case
// partners.
std::array<std::uint8_t, kTablesLength> BuildCp1251Tables() {
    std::array<std::uint8_t, kTablesLength> t{};
    const CtypeBits bits = LibraryCtypeBits();
    std::uint8_t* cbits = t.data() + kCbitsOffset;
    auto set = [cbits](CbitMap map, unsigned c) { cbits[map + c / 8] |= 1u << (c & 7); };

    for (unsigned c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        const auto lower = static_cast<unsigned char>(ToLowerByte(ch));
        const auto upper = static_cast<unsigned char>(ToUpperByte(ch));
        t[kLccOffset + c] = lower;
        t[kFccOffset + c] = lower != c ? lower : upper;

        const bool russian = IsLetter(static_cast<unsigned char>(c));
        const bool space = IsSeparator(static_cast<unsigned char>(c));
        const bool digit = IsAsciiDigit(c);
        const bool upperLetter =
            (c >= 'A' && c <= 'Z') || IsUpperLetter(static_cast<unsigned char>(c));
        const bool lowerLetter = IsLatinLower(c) || IsLowerLetter(static_cast<unsigned char>(c));
        const bool alnum = IsLatinLetter(c) || digit || russian;
        const bool cntrl = c < 0x20 || c == 0x7F;
        // 0x98 is the one unassigned byte of cp1251.
        const bool graph = !cntrl && c != ' ' && c != 0xA0 && c != 0x98;

        if (space) {
            set(kCbitSpace, c);
        }
        if (digit || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')) {
            set(kCbitXdigit, c);
        }
        if (digit) {
            set(kCbitDigit, c);
        }
        if (upperLetter) {
            set(kCbitUpper, c);
        }
        if (lowerLetter) {
            set(kCbitLower, c);
        }
        if (russian) {
            set(kCbitWord, c);
        }
        if (graph) {
            set(kCbitGraph, c);
            if (!alnum) {
                set(kCbitPunct, c);
            }
        }
        if (graph || c == ' ' || c == 0xA0) {
            set(kCbitPrint, c);
        }
        if (cntrl) {
            set(kCbitCntrl, c);
        }

        std::uint8_t type = 0;
        if (space) {
            type |= bits.space;
        }
        // Letters in the pattern's syntax sense (verbs, escapes) stay Latin too.
        if (IsLatinLetter(c) || russian) {
            type |= bits.letter;
        }
        if (lowerLetter) {
            type |= bits.lcletter;
        }
        if (digit) {
            type |= bits.digit;
        }
        if (russian) {
            type |= bits.word;
        }
        t[kCtypesOffset + c] = type;
    }
    return t;
}

// Settings shared by every expression, made once.
struct SharedContexts {
    std::array<std::uint8_t, kTablesLength> tables = BuildCp1251Tables();
    pcre2_compile_context* compile = nullptr;
    pcre2_match_context* match = nullptr;
    pcre2_jit_stack* jitStack = nullptr;

    SharedContexts() {
        compile = pcre2_compile_context_create(nullptr);
        if (compile != nullptr) {
            pcre2_set_character_tables(compile, tables.data());
            pcre2_set_newline(compile, PCRE2_NEWLINE_ANYCRLF);
        }
        match = pcre2_match_context_create(nullptr);
        if (match != nullptr) {
            pcre2_set_match_limit(match, kMatchLimit);
            pcre2_set_depth_limit(match, kDepthLimit);
            jitStack = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
            if (jitStack != nullptr) {
                pcre2_jit_stack_assign(match, nullptr, jitStack);
            }
        }
    }
    ~SharedContexts() {
        pcre2_jit_stack_free(jitStack);
        pcre2_match_context_free(match);
        pcre2_compile_context_free(compile);
    }
    SharedContexts(const SharedContexts&) = delete;
    SharedContexts& operator=(const SharedContexts&) = delete;
};

SharedContexts& Shared() {
    static SharedContexts contexts;
    return contexts;
}

std::string EngineMessage(int code) {
    std::array<PCRE2_UCHAR, 256> buffer{};
    if (pcre2_get_error_message(code, buffer.data(), buffer.size()) < 0) {
        return "error " + std::to_string(code);
    }
    return reinterpret_cast<const char*>(buffer.data());
}

constexpr unsigned char kRussianA = 0xC0;     // А
constexpr unsigned char kRussianYa = 0xDF;    // Я
constexpr unsigned char kRussianLowA = 0xE0;  // а
constexpr unsigned char kRussianLowYa = 0xFF; // я
constexpr unsigned char kRussianZhe = 0xC6;   // Ж, the letter after Ё
constexpr unsigned char kRussianLowZhe = 0xE6;

bool InRussianBlock(unsigned char c) {
    return c >= kRussianA;
}

// What a class range lo-hi of two Russian letters becomes: ё and Ё come
// after е and Е in the alphabet but outside the code-page block.
std::string RussianRange(unsigned char lo, unsigned char hi) {
    std::string out;
    if (lo == kRussianLowA && hi == kRussianYa) {
        // а-Я: the whole alphabet in both cases.
        out = {static_cast<char>(kRussianA), '-', static_cast<char>(kRussianLowYa),
               static_cast<char>(kUpperYo), static_cast<char>(kLowerYo)};
        return out;
    }
    out = {static_cast<char>(lo), '-', static_cast<char>(hi)};
    if (lo > hi) {
        return out; // out of order: the engine reports it
    }
    if (lo <= kUpperYe && hi >= kRussianZhe) {
        out += static_cast<char>(kUpperYo);
    }
    if (lo <= kLowerYe && hi >= kRussianLowZhe) {
        out += static_cast<char>(kLowerYo);
    }
    return out;
}

// Copies one character class starting at p[i] == '[' and returns the index
// after it.
std::size_t CopyClass(std::string_view p, std::size_t i, std::string& out) {
    const std::size_t n = p.size();
    out += p[i++];
    if (i < n && p[i] == '^') {
        out += p[i++];
    }
    if (i < n && p[i] == ']') {
        out += p[i++]; // a leading "]" is a literal
    }
    while (i < n) {
        const char c = p[i];
        if (c == ']') {
            out += c;
            return i + 1;
        }
        if (c == '[' && i + 1 < n && (p[i + 1] == ':' || p[i + 1] == '.' || p[i + 1] == '=')) {
            // A POSIX class such as [:alpha:]: copied whole.
            const char kind = p[i + 1];
            std::size_t end = i + 2;
            while (end + 1 < n && !(p[end] == kind && p[end + 1] == ']')) {
                ++end;
            }
            end = end + 1 < n ? end + 2 : n;
            out.append(p.substr(i, end - i));
            i = end;
            continue;
        }
        if (c == '\\') {
            out.append(p.substr(i, 2));
            i += 2;
            continue;
        }
        const auto lo = static_cast<unsigned char>(c);
        if (i + 2 < n && p[i + 1] == '-' && InRussianBlock(lo)) {
            const auto hi = static_cast<unsigned char>(p[i + 2]);
            if (InRussianBlock(hi)) {
                out += RussianRange(lo, hi);
                i += 3;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return n;
}

} // namespace

std::string RewriteRussianRanges(std::string_view p) {
    std::string out;
    out.reserve(p.size() + 8);
    std::size_t i = 0;
    const std::size_t n = p.size();
    while (i < n) {
        const char c = p[i];
        if (c == '\\') {
            if (i + 1 < n && p[i + 1] == 'Q') {
                // Quoted text up to \E is literal, brackets included.
                const std::size_t end = p.find("\\E", i + 2);
                const std::size_t stop = end == std::string_view::npos ? n : end + 2;
                out.append(p.substr(i, stop - i));
                i = stop;
                continue;
            }
            out.append(p.substr(i, 2));
            i += 2;
            continue;
        }
        if (c == '[') {
            i = CopyClass(p, i, out);
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

struct RegexMatcher::Engine {
    pcre2_code* code = nullptr;
    pcre2_match_data* data = nullptr;
    ~Engine() {
        pcre2_match_data_free(data);
        pcre2_code_free(code);
    }
};

RegexMatcher::RegexMatcher() = default;
RegexMatcher::~RegexMatcher() = default;
RegexMatcher::RegexMatcher(RegexMatcher&&) noexcept = default;
RegexMatcher& RegexMatcher::operator=(RegexMatcher&&) noexcept = default;

bool RegexMatcher::IsCompiled() const {
    return engine_ != nullptr;
}

bool RegexMatcher::Compile(std::string_view pattern, bool caseless) {
    pattern_ = std::string(pattern);
    hasPattern_ = true;
    caseless_ = caseless;
    return Build();
}

bool RegexMatcher::SetCaseless(bool on) {
    if (on == caseless_) {
        return engine_ != nullptr || !hasPattern_;
    }
    caseless_ = on;
    return !hasPattern_ || Build();
}

bool RegexMatcher::Build() {
    engine_.reset();
    error_.clear();
    SharedContexts& shared = Shared();
    if (shared.compile == nullptr || shared.match == nullptr) {
        error_ = "out of memory";
        return false;
    }
    const std::string text = RewriteRussianRanges(pattern_);
    const std::uint32_t options =
        PCRE2_MULTILINE | PCRE2_DOTALL | (caseless_ ? PCRE2_CASELESS : 0u);
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    auto engine = std::make_unique<Engine>();
    engine->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), options,
                                 &errorCode, &errorOffset, shared.compile);
    if (engine->code == nullptr) {
        error_ = EngineMessage(errorCode) + " at offset " + std::to_string(errorOffset);
        return false;
    }
    std::uint32_t groups = 0;
    pcre2_pattern_info(engine->code, PCRE2_INFO_CAPTURECOUNT, &groups);
    if (groups > static_cast<std::uint32_t>(kMaxCaptureGroups)) {
        error_ = "more than " + std::to_string(kMaxCaptureGroups) + " capturing groups";
        return false;
    }
    // Without JIT support the interpreter runs the same expression.
    pcre2_jit_compile(engine->code, PCRE2_JIT_COMPLETE);
    engine->data = pcre2_match_data_create_from_pattern(engine->code, nullptr);
    if (engine->data == nullptr) {
        error_ = "out of memory";
        return false;
    }
    engine_ = std::move(engine);
    return true;
}

int RegexMatcher::CaptureCount() const {
    if (!engine_) {
        return 0;
    }
    std::uint32_t groups = 0;
    pcre2_pattern_info(engine_->code, PCRE2_INFO_CAPTURECOUNT, &groups);
    return static_cast<int>(groups);
}

bool RegexMatcher::Match(std::string_view subject, std::size_t start, RegexMatch& match) {
    match.groups.clear();
    if (!engine_ || start > subject.size()) {
        return false;
    }
    const int rc = pcre2_match(engine_->code, reinterpret_cast<PCRE2_SPTR>(subject.data()),
                               subject.size(), start, 0, engine_->data, Shared().match);
    if (rc <= 0) {
        // No match, or a limit reached: both are "no match" for the caller.
        return false;
    }
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(engine_->data);
    match.groups.resize(static_cast<std::size_t>(rc));
    for (int g = 0; g < rc; ++g) {
        const PCRE2_SIZE from = ovector[2 * g];
        const PCRE2_SIZE to = ovector[2 * g + 1];
        if (from == PCRE2_UNSET || to < from) {
            match.groups[g] = RegexGroup{};
        } else {
            match.groups[g] = RegexGroup{static_cast<std::ptrdiff_t>(from), to - from};
        }
    }
    return true;
}

} // namespace umlo
