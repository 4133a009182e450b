#include "formmaker/formtypes.h"

namespace formmaker {

QString cutText(const QString &text, int capacity)
{
    if (text.size() <= capacity)
        return text;
    int units = 0;
    for (int chars = 0; chars < capacity && units < text.size(); ++chars)
        units += (text.at(units).isHighSurrogate() && units + 1 < text.size()
                  && text.at(units + 1).isLowSurrogate()) ? 2 : 1;
    return text.left(units);
}

} // namespace formmaker
