#include "app/notices.h"

#include "services/dialogs/message_box.h"
#include "services/text/text.h"

namespace wrivo {

void tell(const Notice& notice)
{
    messageBox(Value{notice.text}, MessageBoxStyle::ok, notice.title);
}

bool ask(const Notice& question)
{
    return messageBox(Value{question.text}, MessageBoxStyle::yesNo, question.title) == MessageBoxResult::yes;
}

bool declined(const Notice& question)
{
    return messageBox(Value{question.text}, MessageBoxStyle::yesNo, question.title) == MessageBoxResult::no;
}

void warnInAnyCodePage(const Notice& notice)
{
    // Through UTF-16: in another code page the GBK bytes would be unreadable.
    messageBoxFromGbk(notice.text, MessageBoxStyle::exclamation, notice.title);
}

} // namespace wrivo
