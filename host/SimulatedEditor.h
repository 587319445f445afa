// A small stand-in for the editor's side of the plug-in requests: a UTF-16 document with a
// caret and a selection, answering the requests as the editor does, with a log of every
// request received. Offsets are code-unit indexes into the document; a position is a line
// (lines end after each LF) and a column in code units.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "base/Types.h"
#include "platform/HostSupport.h"

namespace stem {

struct EditorPosition {
    int32_t column;
    int32_t line;
};
static_assert(sizeof(EditorPosition) == 8, "the caret position record is two 32-bit fields");

struct EditorRequest {
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

class SimulatedEditor : public platform::HostReceiver {
public:
    intptr_t Receive(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    const WideString& Text() const { return text_; }
    int32_t Caret() const { return caret_; }
    int32_t SelectionLength() const { return selectionLength_; }
    const std::vector<EditorRequest>& Requests() const { return requests_; }

    // Puts text in the document and the caret at an offset, as a user would.
    void SetText(const WideString& text, int32_t caret);
    void MoveCaret(int32_t offset);
    void ClearLog() { requests_.clear(); }

    // The host's reply to the command-status request.
    void SetCommandStatus(intptr_t reply) { commandStatus_ = reply; }

    // Runs the action once, while answering the next request of that kind, after carrying it
    // out: the editor may report an event to a plug-in from inside the plug-in's own request.
    void DuringNextRequest(uint32_t message, std::function<void()> action);

private:
    intptr_t Answer(uint32_t message, uintptr_t wParam, intptr_t lParam);
    int32_t Clamp(int64_t offset) const;
    int32_t OffsetOf(const EditorPosition& position) const;
    EditorPosition PositionOf(int32_t offset) const;

    WideString text_;
    int32_t caret_ = 0;
    int32_t selectionLength_ = 0;  // the selection runs from the caret forward
    intptr_t commandStatus_ = 1;
    std::vector<EditorRequest> requests_;
    uint32_t hookMessage_ = 0;
    std::function<void()> hook_;
};

}  // namespace stem
