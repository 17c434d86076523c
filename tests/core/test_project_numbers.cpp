// The number reading rule and the number forms of project files and labels.
#include "project/NumberText.h"
#include "settings/StyleSettings.h"

#include <QtTest>
#include <cfloat>
#include <clocale>
#include <cmath>

class TestProjectNumbers : public QObject {
    Q_OBJECT
  private slots:
    void reading_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("comma ends the number") << "12,5" << 12.0;
        QTest::newRow("hex") << "&HFF" << 255.0;
        QTest::newRow("hex stops at a non-digit") << "&H1G" << 1.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("octal stops at 8") << "&O178" << 15.0;
        QTest::newRow("prefix without digits") << "&H" << 0.0;
        QTest::newRow("ampersand alone") << "&17" << 0.0;
        QTest::newRow("D exponent") << "1D2" << 100.0;
        QTest::newRow("E exponent") << "1.5E3" << 1500.0;
        QTest::newRow("exponent without digits") << "1E" << 1.0;
        QTest::newRow("blanks anywhere") << " - 3 " << -3.0;
        QTest::newRow("blanks inside digits") << "1 2 3" << 123.0;
        QTest::newRow("tabs") << "\t4\t2" << 42.0;
        QTest::newRow("blanks in exponent") << "2 E 1" << 20.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("leading period") << ".5" << 0.5;
        QTest::newRow("second period ends") << "1.2.3" << 1.2;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("two signs") << "--3" << 0.0;
        QTest::newRow("sign before hex is no number") << "-&H10" << 0.0;
        QTest::newRow("beyond a double") << "1E400" << double(INFINITY);
        QTest::newRow("hex beyond a double") << QString(400, u'F').prepend("&H") << double(INFINITY);
        QTest::newRow("below the smallest") << "1E-400" << 0.0;
    }
    void reading() {
        QFETCH(QString, text);
        QTEST(readNumber(text).value, "value");
    }

    // A user locale with a decimal comma (Qt's default locale, and the C library's where a German
    // locale is installed) must not change how a period reads or is written, in a file or in the
    // interval's label (the shortest decimal form).
    void readingIgnoresLocale() {
        const QLocale oldDefault;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QByteArray old = std::setlocale(LC_NUMERIC, nullptr);
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
        const double v = readNumber(u"29.97").value;
        const QString s = ::doubleForm(29.97), whole = intervalText(20), half = intervalText(25);
        std::setlocale(LC_NUMERIC, old.constData());
        QLocale::setDefault(oldDefault);
        QCOMPARE(v, 29.97);
        QCOMPARE(s, QString("29.97"));
        QCOMPARE(whole, QString("2"));
        QCOMPARE(half, QString("2.5"));
    }

    // Rounding half to even, then holding to the 16- or 32-bit field's range.
    void toField_data() {
        QTest::addColumn<int>("bits");
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("stored");
        QTest::addColumn<bool>("held");
        QTest::newRow("2.5 to even") << 16 << 2.5 << qint64(2) << false;
        QTest::newRow("3.5 to even") << 16 << 3.5 << qint64(4) << false;
        QTest::newRow("top rounds up past it") << 16 << 32767.5 << qint64(32767) << true;
        QTest::newRow("below top rounds down") << 16 << 32767.4 << qint64(32767) << false;
        QTest::newRow("bottom tie stays") << 16 << -32768.5 << qint64(-32768) << false;
        QTest::newRow("too large") << 16 << 40000.0 << qint64(32767) << true;
        QTest::newRow("infinite") << 16 << double(INFINITY) << qint64(32767) << true;
        QTest::newRow("minus infinite") << 16 << -double(INFINITY) << qint64(-32768) << true;
        QTest::newRow("32: tie to even") << 32 << 0.5 << qint64(0) << false;
        QTest::newRow("32: top") << 32 << 2147483647.0 << qint64(2147483647) << false;
        QTest::newRow("32: past top") << 32 << 2147483648.0 << qint64(2147483647) << true;
        QTest::newRow("32: bottom") << 32 << -2147483648.0 << qint64(-2147483648LL) << false;
        QTest::newRow("32: past bottom") << 32 << -3e9 << qint64(-2147483648LL) << true;
    }
    void toField() {
        QFETCH(int, bits);
        QFETCH(double, value);
        bool wasHeld = false;
        QTEST(bits == 16 ? qint64(toInt16(value, &wasHeld)) : qint64(toInt32(value, &wasHeld)), "stored");
        QTEST(wasHeld, "held");
    }

    // The written form, and that it reads back to the value within the 15 digits kept.
    void doubleForm_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0.1 x 3") << 0.1 * 3 << "0.3";
        QTest::newRow("negative") << -1.25 << "-1.25";
        QTest::newRow("minus zero") << -0.0 << "0";
        QTest::newRow("rounded at 15") << 2.0 / 3 << "0.666666666666667";
        QTest::newRow("large whole") << 123456789012345.0 << "123456789012345";
        QTest::newRow("tiny needs exponent") << 1e-5 << "1E-05";
        QTest::newRow("huge needs exponent") << 1e20 << "1E+20";
        QTest::newRow("near the largest") << 1.7e308 << "1.7E+308";
    }
    void doubleForm() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(::doubleForm(value), text);
        QVERIFY(qAbs(readNumber(text).value - value) <= qAbs(value) * 1e-14);
    }

    // A sign column and a trailing blank; minus zero writes no sign.
    void printForm() {
        QCOMPARE(::printForm(qint64(-3)), QString("-3 "));
        QCOMPARE(::printForm(-0.0), QString(" 0 "));
        QCOMPARE(::printForm(-0.25), QString("-0.25 "));
    }
};

QTEST_GUILESS_MAIN(TestProjectNumbers)
#include "test_project_numbers.moc"
