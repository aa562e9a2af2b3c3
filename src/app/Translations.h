#pragma once

class QCoreApplication;

namespace kucun {

// Qt's own texts (dialog buttons, print preview, calendar) in Chinese,
// whatever the system locale.
void installChineseTranslations(QCoreApplication &application);

} // namespace kucun
