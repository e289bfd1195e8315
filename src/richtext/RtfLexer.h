#pragma once

#include <QByteArrayView>

#include <cstdint>
#include <string_view>

namespace richtext {

// One token of RTF. Control words are lower-case letters only, with an optional signed number
// clamped to 32 bits; the space that ends a control word belongs to it. Line ends and other
// control bytes (and DEL) outside \bin data are not text and are dropped.
struct RtfToken {
    enum Kind : std::uint8_t {
        End,        // no more input
        GroupOpen,  // {
        GroupClose, // }
        Word,       // \name or \nameN: name, hasParam, param
        Symbol,     // \ followed by one other character: symbol (a line end gives '\n')
        Hex,        // \'hh: byte
        Text,       // a run of text bytes: data
        Binary,     // \binN and its N raw bytes: data
    };
    Kind kind = End;
    bool hasParam = false;
    char symbol = 0;
    unsigned char byte = 0;
    std::int32_t param = 0;
    std::string_view name;
    std::string_view data;
};

class RtfLexer {
  public:
    explicit RtfLexer(QByteArrayView bytes);

    RtfToken next();

  private:
    void readWord(RtfToken &t);

    const char *pos_;
    const char *end_;
};

} // namespace richtext
