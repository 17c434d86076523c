// The number reading rule and the number forms of project files.
#include "project/NumberText.h"

#include <QtTest>
#include <cfloat>
#include <clocale>
#include <cmath>

class TestProjectNumbers : public QObject {
    Q_OBJECT
  private slots:
    void reading_data();
    void reading();
    void wholeNumbers_data();
    void wholeNumbers();
    void readingIgnoresLocale();
    void hugeNumbersAreInfinite();
    void toInt16_data();
    void toInt16();
    void toInt32_data();
    void toInt32();
    void toFiniteHoldsInfinity();
    void doubleForm_data();
    void doubleForm();
    void doubleFormReadsBack_data();
    void doubleFormReadsBack();
    void printForm_data();
    void printForm();
};

void TestProjectNumbers::reading_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << "480" << 480.0;
    QTest::newRow("comma ends the number") << "12,5" << 12.0;
    QTest::newRow("hex") << "&HFF" << 255.0;
    QTest::newRow("hex lower case") << "&hff" << 255.0;
    QTest::newRow("hex stops at a non-digit") << "&H1G" << 1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal stops at 8") << "&O178" << 15.0;
    QTest::newRow("prefix without digits") << "&H" << 0.0;
    QTest::newRow("ampersand alone") << "&17" << 0.0;
    QTest::newRow("D exponent") << "1D2" << 100.0;
    QTest::newRow("E exponent") << "1.5E3" << 1500.0;
    QTest::newRow("negative exponent") << "25e-1" << 2.5;
    QTest::newRow("exponent without digits") << "1E" << 1.0;
    QTest::newRow("exponent sign without digits") << "7e+x" << 7.0;
    QTest::newRow("blanks anywhere") << " - 3 " << -3.0;
    QTest::newRow("blanks inside digits") << "1 2 3" << 123.0;
    QTest::newRow("tabs") << "\t4\t2" << 42.0;
    QTest::newRow("blanks in exponent") << "2 E 1" << 20.0;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("leading period") << ".5" << 0.5;
    QTest::newRow("trailing period") << "5." << 5.0;
    QTest::newRow("second period ends") << "1.2.3" << 1.2;
    QTest::newRow("decimal") << "29.97" << 29.97;
    QTest::newRow("text after number") << "576 pixels" << 576.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("period alone") << "." << 0.0;
    QTest::newRow("two signs") << "--3" << 0.0;
    QTest::newRow("comma first") << ",5" << 0.0;
    QTest::newRow("sign before hex is no number") << "-&H10" << 0.0;
    QTest::newRow("decimal comma is not a separator") << "2,5" << 2.0;
}

void TestProjectNumbers::reading() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(readNumber(text).value, value);
}

void TestProjectNumbers::wholeNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<bool>("whole");
    QTest::newRow("0") << "0" << true << true;
    QTest::newRow("0.0") << "0.0" << true << true;
    QTest::newRow("blanked") << " 1 0 " << true << true;
    QTest::newRow("hex") << "&H0" << true << true;
    QTest::newRow("trailing text") << "0x" << true << false;
    QTest::newRow("word") << "listmax" << false << false;
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("dangling exponent") << "1E" << true << false;
}

void TestProjectNumbers::wholeNumbers() {
    QFETCH(QString, text);
    QFETCH(bool, found);
    QFETCH(bool, whole);
    const NumberRead r = readNumber(text);
    QCOMPARE(r.found, found);
    QCOMPARE(r.whole, whole);
}

void TestProjectNumbers::readingIgnoresLocale() {
    // A user locale with a decimal comma must not change how a period reads.
    const QByteArray old = std::setlocale(LC_NUMERIC, nullptr);
    const bool german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    const double v = readNumber(u"29.97").value;
    const QString s = ::doubleForm(29.97);
    std::setlocale(LC_NUMERIC, old.constData());
    if (!german) QSKIP("no de_DE locale installed");
    QCOMPARE(v, 29.97);
    QCOMPARE(s, QString("29.97"));
}

void TestProjectNumbers::hugeNumbersAreInfinite() {
    QVERIFY(std::isinf(readNumber(u"1E400").value));
    QVERIFY(std::isinf(readNumber(QString(400, u'F').prepend("&H")).value));
    QCOMPARE(readNumber(u"1E-400").value, 0.0);
}

void TestProjectNumbers::toInt16_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("held");
    QTest::newRow("2.5 to even") << 2.5 << 2 << false;
    QTest::newRow("3.5 to even") << 3.5 << 4 << false;
    QTest::newRow("-2.5 to even") << -2.5 << -2 << false;
    QTest::newRow("below half") << 7.49 << 7 << false;
    QTest::newRow("top") << 32767.0 << 32767 << false;
    QTest::newRow("top rounds up past it") << 32767.5 << 32767 << true;
    QTest::newRow("below top rounds down") << 32767.4 << 32767 << false;
    QTest::newRow("bottom") << -32768.0 << -32768 << false;
    QTest::newRow("bottom tie stays") << -32768.5 << -32768 << false;
    QTest::newRow("too large") << 40000.0 << 32767 << true;
    QTest::newRow("too small") << -1e9 << -32768 << true;
    QTest::newRow("infinite") << double(INFINITY) << 32767 << true;
    QTest::newRow("minus infinite") << -double(INFINITY) << -32768 << true;
}

void TestProjectNumbers::toInt16() {
    QFETCH(double, value);
    QFETCH(int, stored);
    QFETCH(bool, held);
    bool wasHeld = false;
    QCOMPARE(int(::toInt16(value, &wasHeld)), stored);
    QCOMPARE(wasHeld, held);
}

void TestProjectNumbers::toInt32_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("stored");
    QTest::addColumn<bool>("held");
    QTest::newRow("yellow") << 65535.0 << qint64(65535) << false;
    QTest::newRow("tie to even") << 0.5 << qint64(0) << false;
    QTest::newRow("tie up to even") << 1.5 << qint64(2) << false;
    QTest::newRow("top") << 2147483647.0 << qint64(2147483647) << false;
    QTest::newRow("past top") << 2147483648.0 << qint64(2147483647) << true;
    QTest::newRow("bottom") << -2147483648.0 << qint64(-2147483648LL) << false;
    QTest::newRow("past bottom") << -3e9 << qint64(-2147483648LL) << true;
}

void TestProjectNumbers::toInt32() {
    QFETCH(double, value);
    QFETCH(qint64, stored);
    QFETCH(bool, held);
    bool wasHeld = false;
    QCOMPARE(qint64(::toInt32(value, &wasHeld)), stored);
    QCOMPARE(wasHeld, held);
}

void TestProjectNumbers::toFiniteHoldsInfinity() {
    bool held = false;
    QCOMPARE(toFinite(1.5, &held), 1.5);
    QVERIFY(!held);
    QCOMPARE(toFinite(-double(INFINITY), &held), -DBL_MAX);
    QVERIFY(held);
}

void TestProjectNumbers::doubleForm_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("NTSC rate") << 29.97 << "29.97";
    QTest::newRow("PAL rate") << 25.0 << "25";
    QTest::newRow("whole") << 2.0 << "2";
    QTest::newRow("below one") << 0.5 << "0.5";
    QTest::newRow("0.1 x 3") << 0.1 * 3 << "0.3";
    QTest::newRow("tenths") << 1.7 << "1.7";
    QTest::newRow("negative") << -1.25 << "-1.25";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("minus zero") << -0.0 << "0";
    QTest::newRow("15 digits") << 1.0 / 3 << "0.333333333333333";
    QTest::newRow("rounded at 15") << 2.0 / 3 << "0.666666666666667";
    QTest::newRow("large whole") << 123456789012345.0 << "123456789012345";
    QTest::newRow("tiny needs exponent") << 1e-5 << "1E-05";
    QTest::newRow("huge needs exponent") << 1e20 << "1E+20";
}

void TestProjectNumbers::doubleForm() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(::doubleForm(value), text);
}

void TestProjectNumbers::doubleFormReadsBack_data() {
    QTest::addColumn<double>("value");
    QTest::newRow("29.97") << 29.97;
    QTest::newRow("exponent") << 1.5e-7;
    QTest::newRow("largest") << DBL_MAX * 0.99;
    QTest::newRow("tenths") << 0.1;
}

void TestProjectNumbers::doubleFormReadsBack() {
    QFETCH(double, value);
    const double back = readNumber(::doubleForm(value)).value;
    QCOMPARE(::doubleForm(back), ::doubleForm(value));
    QVERIFY(qAbs(back - value) <= qAbs(value) * 1e-14);
}

void TestProjectNumbers::printForm_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("index") << ::printForm(qint64(0)) << " 0 ";
    QTest::newRow("positive") << ::printForm(qint64(120)) << " 120 ";
    QTest::newRow("negative") << ::printForm(qint64(-3)) << "-3 ";
    QTest::newRow("whole double") << ::printForm(0.0) << " 0 ";
    QTest::newRow("minus zero double") << ::printForm(-0.0) << " 0 ";
    QTest::newRow("fraction") << ::printForm(0.5) << " 0.5 ";
    QTest::newRow("negative fraction") << ::printForm(-0.25) << "-0.25 ";
    QTest::newRow("point line (120, 45, 0)") << ::printForm(qint64(0)) + " = " + ::printForm(qint64(120)) +
                                                    ", " + ::printForm(qint64(45)) + ", " + ::printForm(0.0)
                                             << " 0  =  120 ,  45 ,  0 ";
}

void TestProjectNumbers::printForm() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
    if (QByteArray(QTest::currentDataTag()).startsWith("point line")) QCOMPARE(text.size(), 22);
}

QTEST_GUILESS_MAIN(TestProjectNumbers)
#include "test_project_numbers.moc"
