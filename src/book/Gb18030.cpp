#include "Gb18030.h"

#include <QStringEncoder>

namespace kucun {

QByteArray gb18030(const QString &text)
{
    // One encoder per thread: making one looks the codec up each time.
    thread_local QStringEncoder encoder("GB18030", QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

} // namespace kucun
