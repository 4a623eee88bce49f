#pragma once

#include <string>

// What the document asks of the windows while a command runs: the document
// changes only its own state and tells the windows, which hold none, what to
// show. Every call has a default that does nothing, for tests and tools.
class DocumentEvents {
public:
    virtual ~DocumentEvents() = default;

    // Show the attached message (CP932, lines joined by CR LF) modally.
    virtual void ShowMessage(const std::string& /*text*/) {}
    // The preview or elapsed-time flag changed: create or destroy its window.
    virtual void PreviewToggled(bool /*shown*/) {}
    virtual void ElapsedToggled(bool /*shown*/) {}
    // Cutting a small puzzle: `done` of `total` pieces, called before each piece.
    virtual void CutProgress(int /*done*/, int /*total*/) {}
    // Something every view draws changed.
    virtual void RedrawAll() {}
};

// An instance that ignores everything.
DocumentEvents& noDocumentEvents();
