#include "app/notices.h"

#include "services/message_box.h"
#include "services/text.h"

namespace wrivo {

void tell(const Notice& notice)
{
    messageBox(Value{notice.text}, MessageBoxStyle::ok, notice.title);
}

bool ask(const Notice& question)
{
    return messageBox(Value{question.text}, MessageBoxStyle::yesNo, question.title) == MessageBoxResult::yes;
}

} // namespace wrivo
