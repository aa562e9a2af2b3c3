#pragma once

#include <QByteArray>
#include <QString>

namespace kucun {

// The GB18030 bytes of a text: the GBK bytes for every GBK character, and a
// defined encoding for every other character, so nothing is lost.
QByteArray gb18030(const QString &text);

} // namespace kucun
