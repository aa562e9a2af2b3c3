#pragma once

#include <QStringList>

class QObject;

namespace kucun {

class ChangeNotifier;

// Keeps a window on the server book at conninfo up to date: what other
// programs commit there is announced on `changes` within a moment, and so
// is a reconnection after the server was lost. Lasts as long as `owner`.
void followServerBook(const QString &conninfo, ChangeNotifier &changes, QObject *owner);

// Announces the changes another program committed to a shared book, from
// the server's notices ("明细 INSERT", "型号 UPDATE"; a table name alone
// for any change of it, an empty notice for a change of every table), as the stock book's own
// operations announce theirs, so the same views reload. A stock change reloads the lists but keeps
// what the user chose and typed.
void announceRemoteChanges(const QStringList &notices, ChangeNotifier &changes);

} // namespace kucun
