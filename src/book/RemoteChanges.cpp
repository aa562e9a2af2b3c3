#include "RemoteChanges.h"

#include "ChangeNotifier.h"
#include "store/TableSchema.h"
#include "store/server/ServerLink.h"
#include "store/server/ServerListener.h"

namespace kucun {

namespace {

using Signal = void (ChangeNotifier::*)();

// The announcements one notice stands for.
QList<Signal> signalsOf(const QString &table, const QString &kind)
{
    const bool any = kind.isEmpty();
    // A notice naming no table (a restore) stands for a change of every table.
    if (table.isEmpty()) {
        return {&ChangeNotifier::catalogueChanged,      &ChangeNotifier::modelsChanged,
                &ChangeNotifier::stockChangedElsewhere, &ChangeNotifier::minimumCrossed,
                &ChangeNotifier::movementsAdded,        &ChangeNotifier::movementsDeleted};
    }
    if (table == tables::品类 || table == tables::名称) {
        return {&ChangeNotifier::catalogueChanged};
    }
    if (table == tables::型号) {
        // Bookings update a model's stock; adding or removing models changes the lists.
        if (kind == QStringLiteral("UPDATE")) {
            return {&ChangeNotifier::stockChangedElsewhere, &ChangeNotifier::minimumCrossed};
        }
        return {&ChangeNotifier::modelsChanged, &ChangeNotifier::minimumCrossed};
    }
    if (table == tables::型号资料) {
        return {&ChangeNotifier::modelsChanged, &ChangeNotifier::minimumCrossed};
    }
    if (table == tables::明细) {
        if (kind == QStringLiteral("INSERT")) {
            return {&ChangeNotifier::movementsAdded};
        }
        if (any) {
            return {&ChangeNotifier::movementsAdded, &ChangeNotifier::movementsDeleted};
        }
        return {&ChangeNotifier::movementsDeleted};
    }
    return {};
}

} // namespace

void announceRemoteChanges(const QStringList &notices, ChangeNotifier &changes)
{
    // Each announcement once, in the order of the notifier's signals.
    QList<Signal> due;
    for (const QString &notice : notices) {
        const QString table = notice.section(QLatin1Char(' '), 0, 0);
        const QString kind = notice.section(QLatin1Char(' '), 1);
        for (const Signal signal : signalsOf(table, kind)) {
            if (!due.contains(signal)) {
                due.append(signal);
            }
        }
    }
    for (const Signal signal :
         {&ChangeNotifier::catalogueChanged, &ChangeNotifier::modelsChanged,
          &ChangeNotifier::stockChangedElsewhere, &ChangeNotifier::minimumCrossed,
          &ChangeNotifier::movementsAdded, &ChangeNotifier::movementsDeleted}) {
        if (due.contains(signal)) {
            emit(changes.*signal)();
        }
    }
}

void followServerBook(const QString &conninfo, ChangeNotifier &changes, QObject *owner)
{
    auto *listener = new pg::ServerListener(conninfo, owner);
    QObject::connect(
        listener, &pg::ServerListener::changed, &changes,
        [&changes](const QStringList &notices) { announceRemoteChanges(notices, changes); });
    QObject::connect(&pg::ServerLink::instance(), &pg::ServerLink::reconnected, listener,
                     [&changes] { emit changes.serverReconnected(); });
}

} // namespace kucun
