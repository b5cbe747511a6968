#include "librarian/CFNameList.h"

#include <algorithm>

void CFNameList::Add(std::string_view name) {
    text_.append(name);
    text_.push_back('\n');
}

void CFNameList::AppendText(std::string_view text) { text_.append(text); }

std::string CFNameList::GetNext() {
    const std::size_t end = cursor_ < text_.size() ? text_.find('\n', cursor_) : std::string::npos;
    if (end == std::string::npos) {
        cursor_ = 0;
        return {};
    }
    std::string name = text_.substr(cursor_, end - cursor_);
    cursor_ = end + 1;
    return name;
}

int CFNameList::GetCount() const { return int(std::count(text_.begin(), text_.end(), '\n')); }

bool CFNameList::CopyText(std::span<char> buffer) const {
    if (buffer.size() < GetTextSize()) return false;
    std::copy(text_.begin(), text_.end(), buffer.begin());
    buffer[text_.size()] = '\0';
    return true;
}

bool CFNameList::CopyMultiSz(std::span<char> buffer) {
    if (buffer.size() < GetMultiSzSize()) return false;
    const std::size_t saved = cursor_;
    Rewind();
    std::size_t out = 0;
    for (;;) {
        const std::string name = GetNext();
        std::copy(name.begin(), name.end(), buffer.begin() + std::ptrdiff_t(out));
        out += name.size();
        buffer[out++] = '\0';
        if (name.empty()) break;
    }
    cursor_ = saved;
    return true;
}
