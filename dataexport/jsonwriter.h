#pragma once
// JSON written in order: containers, keys and values, each container on one
// line ("[1, 2]") or one item a line, indented two blanks for each such
// container it stands in. Numbers are the shortest texts that read back as
// the same value, the same bytes in every locale; JSON has no infinities or
// NaN, so a REAL that is not finite is written as null.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lobus {

class JsonWriter {
public:
    enum class Layout { Inline, Lines };

    explicit JsonWriter(std::size_t expectedSize = 0) { m_text.reserve(expectedSize); }

    void beginObject(Layout layout = Layout::Inline) { begin('{', layout); }
    void endObject() { end('}'); }
    void beginArray(Layout layout = Layout::Inline) { begin('[', layout); }
    void endArray() { end(']'); }
    void key(std::string_view name);
    void value(float v);
    void value(int v);
    void value(std::string_view text);
    // Not an overload of value: a string literal would take it.
    void boolean(bool v);
    void null();

    // The text written, with a newline after the last container.
    std::string finish();

private:
    void item(); // what stands before the next item of the open container
    void begin(char bracket, Layout layout);
    void end(char bracket);
    void quoted(std::string_view text);

    struct Level {
        Layout layout;
        bool empty = true;
    };
    std::string m_text;
    std::vector<Level> m_levels;
    int m_lineLevels = 0; // open containers laid out a line an item
    bool m_afterKey = false;
};

} // namespace lobus
