// The window's side of a job, handler by handler: the status line, the path shown on the
// single-file tab, the busy state, progress reports and every ending.
#include "Form1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <stdexcept>

using namespace quorvel;

Q_DECLARE_METATYPE(quorvel::EAlgorithm)

namespace {

QString Repeat(QChar c, qsizetype n) {
    return QString(n, c);
}

} // namespace

class TestJobLifecycle : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { SetUpApplication(*qobject_cast<QApplication*>(QCoreApplication::instance())); }

    void statusLabel_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("short") << "Done"
                               << "Done";
        QTest::newRow("79") << Repeat(QLatin1Char('a'), 79) << Repeat(QLatin1Char('a'), 79);
        QTest::newRow("80") << Repeat(QLatin1Char('b'), 80) << Repeat(QLatin1Char('b'), 80) + QStringLiteral("...");
        QTest::newRow("120") << Repeat(QLatin1Char('c'), 40) + Repeat(QLatin1Char('d'), 80)
                             << Repeat(QLatin1Char('c'), 40) + Repeat(QLatin1Char('d'), 40) + QStringLiteral("...");
        // Lengths count UTF-16 units: 79 characters of which one needs two units make 80.
        QTest::newRow("surrogate pair") << QStringLiteral("\U0001F600") + Repeat(QLatin1Char('e'), 78)
                                        << QStringLiteral("\U0001F600") + Repeat(QLatin1Char('e'), 78) +
                                               QStringLiteral("...");
    }
    void statusLabel() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        Form1 form({});
        form.SetStatusLabel(text);
        QCOMPARE(form.toolStripStatusLabel->text(), shown);
    }

    void pathShown_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        const QString p79 = QStringLiteral("/") + Repeat(QLatin1Char('d'), 69) + QStringLiteral("/file.bin");
        QTest::newRow("79 whole") << p79 << p79;
        QTest::newRow("short") << QStringLiteral("/tmp/a") << QStringLiteral("/tmp/a");
        // 80 characters with a 10-character name: the first 65, the mark, the name; 81 in all.
        const QString p80 = QStringLiteral("/") + Repeat(QLatin1Char('e'), 68) + QStringLiteral("/name10.bin");
        QTest::newRow("80, name of 10") << p80 << p80.left(65) + QStringLiteral("[...]\\name10.bin");
        // The cut falls inside a folder name.
        const QString deep = QStringLiteral("/home/user/") + Repeat(QLatin1Char('f'), 100) + QStringLiteral("/x.iso");
        QTest::newRow("cut inside a folder") << deep << deep.left(70) + QStringLiteral("[...]\\x.iso");
        // A name of 72 or more keeps only the first 3 characters of the path.
        const QString name72 = Repeat(QLatin1Char('n'), 72);
        QTest::newRow("name of 72") << QStringLiteral("/tmp/folder/") + name72 << QStringLiteral("/tm[...]\\") + name72;
        const QString name90 = Repeat(QLatin1Char('m'), 90);
        QTest::newRow("name of 90") << QStringLiteral("/tmp/") + name90 << QStringLiteral("/tm[...]\\") + name90;
        QTest::newRow("backslash separates too")
            << QStringLiteral("C:\\") + Repeat(QLatin1Char('g'), 80) + QStringLiteral("\\a.txt")
            << QStringLiteral("C:\\") + Repeat(QLatin1Char('g'), 67) + QStringLiteral("[...]\\a.txt");
    }
    void pathShown() {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        Form1 form({});
        form.SetStatusLabel(QStringLiteral("untouched"));
        form.SetTabSingleFilePath(path);
        QCOMPARE(form.tbTabSingleFilePath->text(), shown);
        if (path.size() >= 80 && path.size() - path.lastIndexOf(QLatin1Char('/')) - 1 <= 72) {
            QCOMPARE(shown.size(), 81); // one more than the threshold
        }
        QCOMPARE(form.toolStripStatusLabel->text(), QStringLiteral("untouched"));
        QCOMPARE(form.TabSingleOpenFileDialog.FileName, QString()); // shows only, stores nothing
    }

    // A path that has no file name keeps the previous text and says so on the status line.
    void pathWithoutName() {
        Form1 form({});
        form.SetTabSingleFilePath(QStringLiteral("/tmp/previous.bin"));
        form.SetTabSingleFilePath(QStringLiteral("/tmp/") + Repeat(QLatin1Char('a'), 80) + QChar(0) +
                                  QStringLiteral("x"));
        QCOMPARE(form.tbTabSingleFilePath->text(), QStringLiteral("/tmp/previous.bin"));
        QCOMPARE(form.toolStripStatusLabel->text(), QStringLiteral("Error getting file name"));
    }

    // The busy state switches exactly the seven start controls.
    void busyState() {
        Form1 form({});
        QList<QWidget*> all = form.findChildren<QWidget*>();
        const QList<QWidget*> start{form.btTabSingleMD5,    form.btTabSingleSHA1,   form.btTabSingleSHA256,
                                    form.btTabSingleSHA512, form.btTabSingleBrowse, form.btTabMutipleCalculate,
                                    form.btTabMutipleBrowse};
        QMap<QWidget*, bool> before;
        for (QWidget* w : all) {
            before[w] = w->isEnabled();
        }
        form.tsProgressBar->setValue(40);
        form.DisableAll();
        QCOMPARE(form.tsProgressBar->value(), 0);
        for (QWidget* w : all) {
            QCOMPARE(w->isEnabled(), start.contains(w) ? false : before[w]);
        }
        form.tsProgressBar->setValue(40);
        form.EnableAll();
        QCOMPARE(form.tsProgressBar->value(), 40); // left alone
        for (QWidget* w : all) {
            QCOMPARE(w->isEnabled(), before[w]);
        }
    }

    void progress_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("status");
        QTest::newRow("single 37") << 0 << 37 << 37 << "Performing MD5...";
        QTest::newRow("single 0") << 0 << 0 << 0 << "Performing MD5...";
        QTest::newRow("single 100") << 0 << 100 << 100 << "Performing MD5...";
        QTest::newRow("single 101 leaves the bar") << 0 << 101 << 20 << "Performing MD5...";
        QTest::newRow("single -1 leaves the bar") << 0 << -1 << 20 << "Performing MD5...";
        QTest::newRow("multiple 55") << 1 << 55 << 55 << "Hashing file 2 of 7";
        QTest::newRow("multiple 250: status set, bar left") << 1 << 250 << 20 << "Hashing file 2 of 7";
    }
    void progress() {
        QFETCH(int, tab);
        QFETCH(int, percent);
        QFETCH(int, bar);
        QFETCH(QString, status);
        Form1 form({});
        form.SetStatusLabel(QStringLiteral("Performing MD5..."));
        form.tsProgressBar->setValue(20);
        auto record = std::make_shared<Progress>();
        record->iNumberOfFiles = 7;
        record->iProcessing = 2;
        record->tab = static_cast<ETab>(tab);
        ProgressChangedEventArgs e;
        e.ProgressPercentage = percent;
        e.UserState = record;
        form.bgWorker_ProgressChanged(form.bgWorker, e);
        QCOMPARE(form.tsProgressBar->value(), bar);
        QCOMPARE(form.toolStripStatusLabel->text(), status);
    }

    // A report whose state is not a progress record is dropped.
    void progressWithoutRecord() {
        Form1 form({});
        form.SetStatusLabel(QStringLiteral("kept"));
        form.tsProgressBar->setValue(20);
        ProgressChangedEventArgs e;
        e.ProgressPercentage = 50;
        e.UserState = QStringLiteral("not a record");
        form.bgWorker_ProgressChanged(form.bgWorker, e);
        QCOMPARE(form.tsProgressBar->value(), 20);
        QCOMPARE(form.toolStripStatusLabel->text(), QStringLiteral("kept"));
    }

    void ending_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("alg");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("boxName");
        QTest::newRow("error") << "error" << 0 << "Erro!" << 60 << "";
        QTest::newRow("error wins over cancelled") << "error+cancelled" << 0 << "Erro!" << 60 << "";
        QTest::newRow("cancelled") << "cancelled" << 0 << "Cancelled" << 0 << "";
        QTest::newRow("failure text") << "text" << 0 << "Internal MD5_Final error | a.bin" << 60 << "";
        QTest::newRow("not a record") << "int" << 0 << "No data to display" << 60 << "";
        QTest::newRow("no result") << "none" << 0 << "No data to display" << 60 << "";
        QTest::newRow("MD5") << "single" << 0 << "Done" << 60 << "tbMD5";
        QTest::newRow("SHA1") << "single" << 1 << "Done" << 60 << "tbSHA1";
        QTest::newRow("SHA224 has no box") << "single" << 2 << "Done" << 60 << "";
        QTest::newRow("SHA256") << "single" << 3 << "Done" << 60 << "tbSHA256";
        QTest::newRow("SHA384 has no box") << "single" << 4 << "Done" << 60 << "";
        QTest::newRow("SHA512") << "single" << 5 << "Done" << 60 << "tbSHA512";
    }
    void ending() {
        QFETCH(QString, kind);
        QFETCH(int, alg);
        QFETCH(QString, status);
        QFETCH(int, bar);
        QFETCH(QString, boxName);
        Form1 form({});
        form.DisableAll();
        form.tsProgressBar->setValue(60);
        RunWorkerCompletedEventArgs e;
        if (kind.startsWith(QStringLiteral("error"))) {
            e.Error = std::make_exception_ptr(std::runtime_error("boom"));
            e.Cancelled = kind.endsWith(QStringLiteral("cancelled"));
        } else if (kind == QStringLiteral("cancelled")) {
            e.Cancelled = true;
        } else if (kind == QStringLiteral("text")) {
            e.Result = QStringLiteral("Internal MD5_Final error | a.bin");
        } else if (kind == QStringLiteral("int")) {
            e.Result = 42;
        } else if (kind == QStringLiteral("single")) {
            auto out = std::make_shared<OutputArguments>();
            out->alg = static_cast<EAlgorithm>(alg);
            out->tab = ETab::SINGLE_FILE;
            out->L_Files = QStringList{QStringLiteral("/tmp/a.bin")};
            out->L_Hashes = QStringList{QStringLiteral("ABCDEF")};
            e.Result = out;
        }
        form.bgWorker_RunWorkerCompleted(form.bgWorker, e);
        QCOMPARE(form.toolStripStatusLabel->text(), status);
        QCOMPARE(form.tsProgressBar->value(), bar);
        for (QLineEdit* box : {form.tbMD5, form.tbSHA1, form.tbSHA256, form.tbSHA512}) {
            QCOMPARE(box->text(), box->objectName() == boxName ? QStringLiteral("ABCDEF") : QString());
        }
        for (QPushButton* b :
             {form.btTabSingleMD5, form.btTabSingleSHA1, form.btTabSingleSHA256, form.btTabSingleSHA512,
              form.btTabSingleBrowse, form.btTabMutipleCalculate, form.btTabMutipleBrowse}) {
            QVERIFY(b->isEnabled());
        }
    }
};

QTEST_MAIN(TestJobLifecycle)
#include "tst_joblifecycle.moc"
