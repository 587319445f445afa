#include "host/SimulatedEditor.h"

#include <algorithm>

namespace stem {

intptr_t SimulatedEditor::Receive(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    requests_.push_back({message, wParam, lParam});
    const intptr_t reply = Answer(message, wParam, lParam);
    if (hook_ && message == hookMessage_) {
        const std::function<void()> action = std::move(hook_);
        hook_ = nullptr;
        action();
    }
    return reply;
}

void SimulatedEditor::DuringNextRequest(uint32_t message, std::function<void()> action)
{
    hookMessage_ = message;
    hook_ = std::move(action);
}

// The request numbers are the editor's own, written here apart from the plug-ins'
// HostInterface.h, so that a wrong number there is a request this editor does not answer.
intptr_t SimulatedEditor::Answer(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    auto* position = reinterpret_cast<EditorPosition*>(lParam);
    switch (message) {
    case 0x801: return commandStatus_;                      // the status of a command
    case 0x80D: return position ? OffsetOf(*position) : 0;  // position to offset
    case 0x811:                                             // offset to position
        if (position)
            *position = PositionOf(Clamp(static_cast<int32_t>(wParam)));
        return 0;
    case 0x812:  // set the caret
        if (position)
            MoveCaret(OffsetOf(*position));
        return 0;
    case 0x81A:  // get the caret
        if (position)
            *position = PositionOf(caret_);
        return 0;
    case 0x81C:  // select from the caret
        selectionLength_ = Clamp(int64_t{caret_} + static_cast<int32_t>(wParam)) - caret_;
        if (selectionLength_ < 0)
            selectionLength_ = 0;
        return 0;
    case 0x834: {  // insert text at the caret
        const auto* chars = reinterpret_cast<const WideChar*>(lParam);
        const WideString inserted = chars ? WideString(chars) : WideString();
        text_.replace(static_cast<size_t>(caret_), static_cast<size_t>(selectionLength_), inserted);
        caret_ += static_cast<int32_t>(inserted.size());
        selectionLength_ = 0;
        return 0;
    }
    default: return 0;
    }
}

void SimulatedEditor::SetText(const WideString& text, int32_t caret)
{
    text_ = text;
    MoveCaret(caret);
}

void SimulatedEditor::MoveCaret(int32_t offset)
{
    caret_ = Clamp(offset);
    selectionLength_ = 0;
}

int32_t SimulatedEditor::Clamp(int64_t offset) const
{
    return static_cast<int32_t>(std::clamp<int64_t>(offset, 0, static_cast<int64_t>(text_.size())));
}

int32_t SimulatedEditor::OffsetOf(const EditorPosition& position) const
{
    size_t lineStart = 0;
    for (int32_t line = 0; line < position.line; ++line) {
        const size_t lf = text_.find(u'\n', lineStart);
        if (lf == WideString::npos)
            return static_cast<int32_t>(text_.size());
        lineStart = lf + 1;
    }
    size_t lineEnd = text_.find(u'\n', lineStart);
    lineEnd = lineEnd == WideString::npos ? text_.size() : lineEnd + 1;
    const int64_t column =
        std::clamp<int64_t>(position.column, 0, static_cast<int64_t>(lineEnd - lineStart));
    return Clamp(static_cast<int64_t>(lineStart) + column);
}

EditorPosition SimulatedEditor::PositionOf(int32_t offset) const
{
    EditorPosition position{0, 0};
    size_t lineStart = 0;
    for (size_t i = 0; i < static_cast<size_t>(offset); ++i) {
        if (text_[i] == u'\n') {
            ++position.line;
            lineStart = i + 1;
        }
    }
    position.column = offset - static_cast<int32_t>(lineStart);
    return position;
}

}  // namespace stem
