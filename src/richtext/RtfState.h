#pragma once

#include <QRgb>
#include <QString>

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace richtext {

// Character properties that a group carries, as the file states them.
struct CharState {
    int font = -1; // font number; -1 is the document's default font
    int halfPoints = 24;
    int foreground = -1; // colour table index; -1 automatic
    int background = -1;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool hidden = false;
    std::uint8_t underline = 0; // QTextCharFormat::UnderlineStyle
    std::uint8_t vertical = 0;  // QTextCharFormat::VerticalAlignment
    std::uint8_t caps = 0;      // QFont::Capitalization
    std::uint8_t spare = 0;     // fills what would be padding, so that states compare as bytes
    // Every run of text compares its state with the run before: as bytes, without a branch
    // per member.
    bool operator==(const CharState &o) const {
        std::array<std::uint64_t, 3> a, b;
        std::memcpy(a.data(), this, sizeof a);
        std::memcpy(b.data(), &o, sizeof b);
        return ((a[0] ^ b[0]) | (a[1] ^ b[1]) | (a[2] ^ b[2])) == 0;
    }
};
static_assert(std::has_unique_object_representations_v<CharState> &&
              sizeof(CharState) == 3 * sizeof(std::uint64_t));

// Paragraph properties, lengths in twips.
struct ParaState {
    std::uint8_t align = 0; // 0 left, 1 centre, 2 right, 3 justified
    bool inTable = false;
    bool pageBreakBefore = false;
    bool lineMultiple = false;
    int left = 0;
    int right = 0;
    int firstLine = 0;
    int before = 0;
    int after = 0;
    int lineSpacing = 0;
    // Tab stops from the left of the text, in twips, with their QTextOption::TabType.
    static constexpr int MaxTabs = 16;
    std::uint8_t tabCount = 0;
    std::uint8_t nextTabType = 0;
    std::array<std::uint8_t, MaxTabs> tabTypes{};
    std::array<int, MaxTabs> tabs{};
    bool operator==(const ParaState &) const = default;
};

// A cell of a row definition: its right edge in twips and its properties.
struct CellDef {
    int right = 0;
    int shading = -1; // colour table index
    bool mergeFirst = false;
    bool mergeNext = false;
    bool vmergeFirst = false;
    bool vmergeNext = false;
};

struct RowDef {
    std::vector<CellDef> cells;
    int left = 0;
    int gap = 0;
    int borderWidth = 0; // twips; 0 without borders
};

struct FontEntry {
    QString name;
    int codePage = 0; // 0: the document's code page
};

// What the header declares and the body refers to.
struct RtfTables {
    std::unordered_map<int, FontEntry> fonts;
    std::vector<std::optional<QRgb>> colours;
    int defaultFont = 0;
    int codePage = 1252;

    const FontEntry *font(int number) const {
        const auto it = fonts.find(number < 0 ? defaultFont : number);
        return it == fonts.end() ? nullptr : &it->second;
    }
    int codePageOf(int number) const {
        const FontEntry *f = font(number);
        return f && f->codePage ? f->codePage : codePage;
    }
    std::optional<QRgb> colour(int index) const {
        if (index < 0 || std::size_t(index) >= colours.size()) return std::nullopt;
        return colours[std::size_t(index)];
    }
};

} // namespace richtext
