// The edit box's record of the edits its control makes of its own text (see
// control_edit.h), kept from the control's subclass: which messages edit as
// the user does, the selection before each of them, and at each of the
// control's change notifications what the change was.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

#include "services/controls/control_edit.h"

namespace wrivo {

class EditWatch {
public:
    // Whether the control may change its text while it handles `message` as
    // the user's edit: typing, deleting, pasting, cutting, clearing, and a
    // replacement of the selection.
    static bool edits(UINT message);

    // Held around such a message (they nest: Ctrl+V is a character that
    // pastes). The selection is taken as it stands when one begins, and after
    // every change within it.
    class Around {
    public:
        Around(EditWatch& watch, HWND edit, UINT message);
        ~Around();
        Around(const Around&) = delete;
        Around& operator=(const Around&) = delete;

    private:
        EditWatch& watch_;
        HWND edit_;
        bool key_;
    };

    // The control's change notification (EN_CHANGE).
    void changed(HWND edit);
    // How many change notifications the control has sent.
    std::uint32_t changes() const { return changes_; }
    // The last change, when it came while such a message was handled; where a
    // key made it, with the length of the text as it stands now (its length
    // after that change while no other came since).
    std::optional<ControlEdit> lastEdit(HWND edit) const;

private:
    void takeSelection(HWND edit);

    int depth_ = 0;
    int keys_ = 0; // keys among the messages being handled: they may delete forward
    std::int32_t selectionStart_ = 0;
    std::int32_t selectionEnd_ = 0;
    std::uint32_t changes_ = 0;
    std::optional<ControlEdit> last_;
    bool lastByKey_ = false;
};

// The watch of an edit box's control; null for any other window.
const EditWatch* editWatchOf(HWND edit);

} // namespace wrivo
