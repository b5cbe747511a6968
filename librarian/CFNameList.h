#pragma once
// A list of item paths held as one text, each path followed by a line feed,
// with a read cursor. The same text is the clipboard's and the drag's text
// payload, so it is read back from untrusted input: reading never runs past
// the text, and a trailing fragment without its line feed is never a name.

#include <span>
#include <string>
#include <string_view>

class CFNameList {
public:
    CFNameList() = default;
    explicit CFNameList(std::string_view initialText) : text_(initialText) {}
    virtual ~CFNameList() = default;

    void Add(std::string_view name);
    void AppendText(std::string_view text);
    void Rewind() { cursor_ = 0; }
    // The name at the cursor; the empty text (and the cursor back at 0) when
    // no line feed follows the cursor.
    std::string GetNext();
    int GetCount() const;
    const std::string& GetText() const { return text_; }

    std::size_t GetTextSize() const { return text_.size() + 1; }
    // Copies the text and its NUL; false when the buffer is too small.
    bool CopyText(std::span<char> buffer) const;
    std::size_t GetMultiSzSize() const { return text_.size() + 2; }
    // Writes each name followed by a NUL, then one more NUL; an empty name
    // inside the list ends the output. The cursor is kept. False when the
    // buffer is too small.
    bool CopyMultiSz(std::span<char> buffer);

private:
    std::string text_;
    std::size_t cursor_ = 0;
};
