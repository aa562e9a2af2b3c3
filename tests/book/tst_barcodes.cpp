#include "book/ChangeNotifier.h"
#include "book/codes/Barcodes.h"
#include "helpers/OutcomeText.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"

#include <QSignalSpy>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

Q_DECLARE_METATYPE(kucun::BarcodeOutcome)

// Codes given to the models of the book, and the model a code finds.
class BarcodesTest : public QObject
{
    Q_OBJECT

private slots:
    void aCodeBelongsToOneModel_data();
    void aCodeBelongsToOneModel();
};

namespace {

// "五金/扳手/8寸" as a model key.
ModelKey keyOf(const QString &path)
{
    const QStringList texts = path.split('/');
    return {texts[0], texts[1], texts[2]};
}

QString pathOf(const std::optional<ModelKey> &key)
{
    return key ? key->category + '/' + key->item + '/' + key->model : QStringLiteral("-");
}

} // namespace

void BarcodesTest::aCodeBelongsToOneModel_data()
{
    QTest::addColumn<QString>("given"); // codes given first: "model=code;…"
    QTest::addColumn<QString>("model"); // then this model is given `code`
    QTest::addColumn<QString>("code");
    QTest::addColumn<BarcodeOutcome>("outcome");
    QTest::addColumn<QString>("bearer");   // the model refused in favour of
    QTest::addColumn<QString>("finds");    // what `code` finds afterwards
    QTest::addColumn<QString>("oldFinds"); // what the first given code finds

    QTest::newRow("a free code") << ""
                                 << "五金/扳手/8寸"
                                 << "6901234567892" << BarcodeOutcome::Done << "-"
                                 << "五金/扳手/8寸"
                                 << "-";
    QTest::newRow("taken by another model")
        << "五金/钳子/8寸=6901234567892"
        << "五金/扳手/8寸"
        << "6901234567892" << BarcodeOutcome::TakenByOther << "五金/钳子/8寸"
        << "五金/钳子/8寸"
        << "五金/钳子/8寸";
    QTest::newRow("the model's own code again") << "五金/扳手/8寸=A-100"
                                                << "五金/扳手/8寸"
                                                << "A-100" << BarcodeOutcome::Done << "-"
                                                << "五金/扳手/8寸"
                                                << "五金/扳手/8寸";
    QTest::newRow("a new code replaces the old") << "五金/扳手/8寸=A-100"
                                                 << "五金/扳手/8寸"
                                                 << "A-200" << BarcodeOutcome::Done << "-"
                                                 << "五金/扳手/8寸"
                                                 << "-";
    QTest::newRow("an empty code takes it away") << "五金/扳手/8寸=A-100"
                                                 << "五金/扳手/8寸"
                                                 << "" << BarcodeOutcome::Done << "-"
                                                 << "-"
                                                 << "-";
    QTest::newRow("a model no longer there") << ""
                                             << "五金/扳手/12寸"
                                             << "A-100" << BarcodeOutcome::NotFound << "-"
                                             << "-"
                                             << "-";
    QTest::newRow("same texts, other category")
        << "电工/扳手/8寸=A-100"
        << "五金/扳手/8寸"
        << "A-100" << BarcodeOutcome::TakenByOther << "电工/扳手/8寸"
        << "电工/扳手/8寸"
        << "电工/扳手/8寸";
}

void BarcodesTest::aCodeBelongsToOneModel()
{
    QFETCH(QString, given);
    QFETCH(QString, model);
    QFETCH(QString, code);
    QFETCH(BarcodeOutcome, outcome);
    QFETCH(QString, bearer);
    QFETCH(QString, finds);
    QFETCH(QString, oldFinds);
    TestTables files;
    addSmallShop(files);
    files.add(tables::型号, {"电工", "扳手", "8寸", "把", 1, ""});
    ChangeNotifier changes;
    QString firstCode;
    for (const QString &gift : given.split(';', Qt::SkipEmptyParts)) {
        const QStringList parts = gift.split('=');
        firstCode = firstCode.isEmpty() ? parts[1] : firstCode;
        QCOMPARE(giveBarcode(files.folders(), keyOf(parts[0]), parts[1], changes).outcome,
                 BarcodeOutcome::Done);
    }

    QSignalSpy modelsChanged(&changes, &ChangeNotifier::modelsChanged);
    // The lists reload as it is announced: the tables are closed by then.
    QString readAsAnnounced = finds;
    QObject::connect(&changes, &ChangeNotifier::modelsChanged, [&] {
        const auto read = findModelByBarcode(files.folders(), code);
        readAsAnnounced = read ? pathOf(*read) : QStringLiteral("unreadable");
    });
    const GivenBarcode result = giveBarcode(files.folders(), keyOf(model), code, changes);
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(code.isEmpty() ? "-" : readAsAnnounced, finds);
    if (outcome == BarcodeOutcome::TakenByOther) {
        QCOMPARE(pathOf(result.bearer), bearer);
    }
    QCOMPARE(modelsChanged.count(), result.outcome.done() ? 1 : 0);
    const auto found = findModelByBarcode(files.folders(), code);
    QVERIFY(found);
    QCOMPARE(code.isEmpty() ? "-" : pathOf(*found), finds);
    if (!firstCode.isEmpty()) {
        QCOMPARE(pathOf(*findModelByBarcode(files.folders(), firstCode)), oldFinds);
    }
}

QTEST_GUILESS_MAIN(BarcodesTest)
#include "tst_barcodes.moc"
