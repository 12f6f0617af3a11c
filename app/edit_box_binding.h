// The one binding between the document model and the main window's edit
// box: it applies the model's edits to the box and feeds the box's own edits
// into the model. It is the only code that writes the box's text.
//
// A change the box's control made as one edit of its own (a key, a paste, a
// cut, a replacement) is taken by reading only the stretch it touched; the
// whole text is read for any other.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "app/document_model.h"

namespace wrivo {

class EditBoxBinding final : public EditBoxPort {
public:
    explicit EditBoxBinding(DocumentModel& model);
    EditBoxBinding(const EditBoxBinding&) = delete;
    EditBoxBinding& operator=(const EditBoxBinding&) = delete;

    // The box's content-changed event.
    void contentChanged();

    std::string content() override;
    void setContent(std::string text) override;
    void replaceRange(const CharacterOffsets& offsets, EditRange range, std::string_view replacement) override;
    void replaceRanges(const CharacterOffsets& offsets, std::span<const RangeReplacement> replacements) override;
    void append(std::string_view text) override;
    EditRange selection(const CharacterOffsets& offsets) override;
    void select(const CharacterOffsets& offsets, EditRange range) override;
    std::string rememberedFile() const override;
    void rememberFile(const std::string& path) override;

private:
    // The box's last change read as the control's own edit, when it is the
    // only change since the snapshot; false when the whole text must be read.
    bool takeEdit();

    DocumentModel& model_;
    // The control's change count when the model last took its text whole
    // or from a stretch.
    std::uint32_t controlChangesSeen_ = 0;
};

} // namespace wrivo
