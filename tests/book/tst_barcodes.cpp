#include "book/ChangeNotifier.h"
#include "book/catalogue/CatalogueChanges.h"
#include "book/codes/Barcodes.h"
#include "book/codes/Labels.h"
#include "book/codes/ScanRecogniser.h"
#include "helpers/OutcomeText.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "store/Table.h"

#include <QSignalSpy>
#include <QTest>

using namespace kucun;
using namespace kucun::test;

Q_DECLARE_METATYPE(kucun::BarcodeOutcome)
Q_DECLARE_METATYPE(kucun::CatalogueOutcome)
Q_DECLARE_METATYPE(kucun::Symbology)

// Codes given to the models of the book, and the model a code finds.
class BarcodesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { addStoreRows(); }
    void init() { useRowStore(); }
    void aCodeBelongsToOneModel_data();
    void aCodeBelongsToOneModel();
    void theSettingsPageSavesCodesAndLevels_data();
    void theSettingsPageSavesCodesAndLevels();
    void onlyAValidEan13PrintsAsEan13_data();
    void onlyAValidEan13PrintsAsEan13();
    void aScanIsTypedFasterThanAnyone_data();
    void aScanIsTypedFasterThanAnyone();
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

void BarcodesTest::theSettingsPageSavesCodesAndLevels_data()
{
    // Before the step 钳子/8寸 bears the code P-1, and 扳手/8寸 the code S-1.
    // "add 型号 条码 最低库存 补货至" or "modify 型号 新型号 条码 最低库存 补货至".
    QTest::addColumn<QString>("step");
    QTest::addColumn<CatalogueOutcome>("outcome");
    // The rows of 扳手 afterwards: 型号/条码/最低库存/补货至, empty for none.
    QTest::addColumn<QString>("rows");

    QTest::newRow("added with a free code")
        << "add 12寸 A-12 5 20" << CatalogueOutcome::Done << "8寸/S-1// 12寸/A-12/5/20";
    QTest::newRow("added with a taken code")
        << "add 12寸 P-1 - -" << CatalogueOutcome::CodeTaken << "8寸/S-1//";
    QTest::newRow("restock below minimum")
        << "add 12寸 - 5 4" << CatalogueOutcome::RestockBelowMinimum << "8寸/S-1//";
    QTest::newRow("restock at the minimum")
        << "add 12寸 - 5 5" << CatalogueOutcome::Done << "8寸/S-1// 12寸//5/5";
    QTest::newRow("modified to a taken code")
        << "modify 8寸 8寸 P-1 - -" << CatalogueOutcome::CodeTaken << "8寸/S-1//";
    QTest::newRow("renamed with its own code")
        << "modify 8寸 9寸 S-1 2 -" << CatalogueOutcome::Done << "9寸/S-1/2/";
    QTest::newRow("code taken away")
        << "modify 8寸 8寸 - - 3" << CatalogueOutcome::Done << "8寸///3";
    QTest::newRow("modified below minimum")
        << "modify 8寸 9寸 S-1 2 1" << CatalogueOutcome::RestockBelowMinimum << "8寸/S-1//";
}

void BarcodesTest::theSettingsPageSavesCodesAndLevels()
{
    QFETCH(QString, step);
    QFETCH(CatalogueOutcome, outcome);
    QFETCH(QString, rows);
    TestTables files;
    addSmallShop(files);
    ChangeNotifier changes;
    QVERIFY(giveBarcode(files.folders(), keyOf("五金/钳子/8寸"), "P-1", changes).outcome.done());
    QVERIFY(giveBarcode(files.folders(), keyOf("五金/扳手/8寸"), "S-1", changes).outcome.done());
    const auto modelCount = [&files] {
        Table table;
        return Book(files).open(table, tables::型号) ? table.recordCount() : -1;
    };
    const qint64 models = modelCount();

    const QStringList words = step.split(' ');
    const auto typed = [&words](int first) {
        const auto level = [](const QString &text) {
            return text == "-" ? std::nullopt : std::optional<double>(text.toDouble());
        };
        ModelTexts texts{words[first], "把", QString()};
        texts.barcode = words[first + 1] == "-" ? QString() : words[first + 1];
        texts.minimum = level(words[first + 2]);
        texts.restockTo = level(words[first + 3]);
        return texts;
    };
    ModelKey bearer;
    const Outcome<CatalogueOutcome> result =
        words[0] == "add"
            ? addModel(files.folders(), "五金", "扳手", typed(1), changes, &bearer)
            : modifyModel(files.folders(), "五金", "扳手", words[1], typed(2), changes, &bearer);
    QCOMPARE(result, outcome);
    QCOMPARE(pathOf(bearer), outcome == CatalogueOutcome::CodeTaken ? "五金/钳子/8寸" : "//");
    // Refused, nothing at all is written: not the model either.
    if (!result.done()) {
        QCOMPARE(modelCount(), models);
    }
    QStringList kept;
    Table table;
    QVERIFY(Book(files).open(table, tables::型号资料));
    QVERIFY(table.forEachMatching(
        RecordFilter::textsEqual({{fields::名称, "扳手"}}), [&kept](const Record &row) {
            QStringList cells{row.text(fields::型号), row.text(fields::条码)};
            for (const QString &level : {fields::最低库存, fields::补货至}) {
                const auto number = row.numberIfAny(level);
                cells << (number ? QString::number(*number) : QString());
            }
            kept << cells.join('/');
        }));
    QCOMPARE(kept.join(' '), rows);
}

void BarcodesTest::onlyAValidEan13PrintsAsEan13_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<Symbology>("symbology");

    QTest::newRow("valid check digit") << "6901234567892" << Symbology::Ean13;
    QTest::newRow("check digit 0") << "6901234560060" << Symbology::Ean13;
    QTest::newRow("wrong check digit") << "6901234567893" << Symbology::Code128;
    QTest::newRow("12 digits") << "690123456789" << Symbology::Code128;
    QTest::newRow("14 digits") << "69012345678920" << Symbology::Code128;
    QTest::newRow("a letter among 13") << "690123456789X" << Symbology::Code128;
    QTest::newRow("letters") << "A-100" << Symbology::Code128;
}

void BarcodesTest::onlyAValidEan13PrintsAsEan13()
{
    if (onServer()) {
        QSKIP("no book");
    }
    QFETCH(QString, code);
    QFETCH(Symbology, symbology);
    QCOMPARE(symbologyOf(code), symbology);
}

void BarcodesTest::aScanIsTypedFasterThanAnyone_data()
{
    // Each key, Enter (⏎) or key released (~) comes `gap` ms after the one
    // before; "+N " moves the clock N ms on (or back) besides.
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("gap");
    QTest::addColumn<QString>("typed");   // the keys that went on, as typed
    QTest::addColumn<QString>("scanned"); // the codes scanned, "|" between

    QTest::newRow("a scanner's code") << "6901234567892⏎" << 10 << ""
                                      << "6901234567892";
    QTest::newRow("four keys are a code") << "A-12⏎" << 1 << ""
                                          << "A-12";
    QTest::newRow("keys just under the gap") << "12345⏎" << 29 << ""
                                             << "12345";
    QTest::newRow("releases between its keys") << "1~2~3~4~⏎" << 4 << ""
                                               << "1234";
    QTest::newRow("a person's key, then a scan") << "5+500 6901⏎" << 5 << "5"
                                                 << "6901";
    QTest::newRow("two scans in a row") << "1234⏎+300 5678⏎" << 8 << ""
                                        << "1234|5678";
    QTest::newRow("keys the gap apart") << "12345⏎" << 30 << "12345⏎"
                                        << "";
    QTest::newRow("three keys, however fast") << "123⏎" << 1 << "123⏎"
                                              << "";
    QTest::newRow("a pause within the run") << "6901+200 234⏎" << 10 << "6901234⏎"
                                            << "";
    QTest::newRow("Enter after a pause") << "1234+100 ⏎" << 10 << "1234⏎"
                                         << "";
    QTest::newRow("keys held until it is known") << "1234" << 10 << ""
                                                 << "";
    QTest::newRow("a release after a pause") << "12+40 ~" << 10 << "12"
                                             << "";
    QTest::newRow("a clock that went back") << "12+-500 34⏎" << 10 << "1234⏎"
                                            << "";
}

void BarcodesTest::aScanIsTypedFasterThanAnyone()
{
    if (onServer()) {
        QSKIP("no book");
    }
    QFETCH(QString, keys);
    QFETCH(int, gap);
    QFETCH(QString, typed);
    QFETCH(QString, scanned);
    ScanRecogniser recogniser;
    QString held;
    QString wentOn;
    QStringList codes;
    qint64 ms = 1000;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QChar key = keys[i];
        if (key == '+') {
            const qsizetype end = keys.indexOf(' ', i);
            ms += keys.mid(i + 1, end - i - 1).toLongLong();
            i = end;
            continue;
        }
        ms += gap;
        if (key == u'⏎') {
            const std::optional<QString> code = recogniser.enter(ms);
            wentOn += code ? QString() : held + key;
            codes << code.value_or(QString());
            held.clear();
        } else if (key == '~') {
            wentOn += recogniser.pauseSeen(ms) ? std::exchange(held, {}) : QString();
        } else {
            wentOn += recogniser.key(ms, key) ? std::exchange(held, {}) : QString();
            held += key;
        }
    }
    codes.removeAll(QString());
    QCOMPARE(wentOn, typed);
    QCOMPARE(codes.join('|'), scanned);
}

QTEST_GUILESS_MAIN(BarcodesTest)
#include "tst_barcodes.moc"
