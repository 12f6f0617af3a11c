// The document: the one text the editor holds, and the file it belongs to.
//
// The edit box holds the text; the common dialog's file-name property holds
// the remembered file, which is what the next file dialog offers. This object
// is the only one that changes either, and it does so in whole steps: a
// transition either happens completely (text, file, rows, shelf and recovery
// copy agree afterwards) or leaves everything as it was.
#pragma once
#include <optional>
#include <string>

namespace wrivo {

class Document {
public:
    // The remembered file; empty when there is none.
    std::string file() const;
    std::string text() const;
    bool isEmpty() const;
    // True when the document is not empty and differs from its file as the
    // file is on disk now (read anew every time).
    bool isModified() const;

    // The transitions. `open` and `append` load a file after the reading
    // checks and their questions; when the file is refused or the user says
    // No, nothing changes (the remembered file included) and they answer
    // false. Open puts unsaved text on the shelf before it replaces it.
    bool open(const std::string& path);
    bool append(const std::string& path);
    // Writes the text to `path`, which becomes the remembered file whether
    // the write succeeds or not (the next save dialog offers it again).
    bool saveTo(const std::string& path);
    // New and the clear command: unsaved text goes to the shelf, then the
    // text is emptied; the remembered file stays.
    void discardText();
    // A recovered text comes back with its file, as open would load it.
    void restore(const std::string& path, std::string text);

private:
    void setFile(const std::string& path);
    void load(const std::string& path, std::string text);
};

// The editor's one document.
Document& document();

} // namespace wrivo
