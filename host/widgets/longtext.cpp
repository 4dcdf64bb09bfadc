#include "host/widgets/longtext_p.h"

namespace host {

QString cutText(const QString& text, qsizetype length)
{
    if (text.size() <= length)
        return text;
    if (length <= 0)
        return {};
    return text.left(text.at(length - 1).isHighSurrogate() ? length - 1 : length);
}

} // namespace host
