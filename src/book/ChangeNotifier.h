#pragma once

#include <QObject>

namespace kucun {

// Tells whoever shows the shop's data that it changed. The stock book's
// write operations announce each change they commit here; the window
// connects every signal to the reloads it needs, once.
class ChangeNotifier : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    // Categories or items were added or removed (models with them).
    void catalogueChanged();
    // Models were added, changed or removed.
    void modelsChanged();
    // The stock of a model changed, or a listed model is gone.
    void stockChanged();
    // Another program sharing the book changed the stock of models.
    void stockChangedElsewhere();
    // A booking changed the stock of one model (its record id) to this.
    void modelStockChanged(qint64 modelId, double stock);
    // A booking took a model below its 最低库存, or back up to it.
    void minimumCrossed();
    // A movement was added to the log.
    void movementsAdded();
    // Movements were deleted from the log.
    void movementsDeleted();
    // A backup was made or removed, or the backup folder changed.
    void backupsChanged();
    // The server of a shared book was reached again after it had been lost.
    void serverReconnected();
};

} // namespace kucun
