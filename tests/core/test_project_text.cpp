// Reading and writing the project text; the number reading rule and the number forms of project
// files and labels.
#include "project/NumberText.h"
#include "project/ProjectText.h"
#include "settings/StyleSettings.h"
#include "support/Files.h"

#include <QtTest>
#include <cfloat>
#include <clocale>
#include <cmath>

namespace {
// The worked example: a PAL project with three points and the default style. Its paths are
// kept as written, whatever their separator.
ProjectState tourState() {
    return ProjectState{.version = "1.1",
                        .frameheight = 576,
                        .framewidth = 786,
                        .format = u'p',
                        .pointx = {120, 300, 512},
                        .pointy = {45, 210, 400},
                        .listmax = 3,
                        .imagepath = "C:\\Maps\\",
                        .imagename = "harbour.bmp",
                        .renderpath = "C:\\Frames\\",
                        .rendername = "tour",
                        .color = rgb(255, 0, 0),
                        .selcolor = rgb(255, 255, 0),
                        .selected = -1,
                        .linethick = 5,
                        .circlethick = 3,
                        .circleradius = 10,
                        .fps = 25,
                        .interval = 2};
}

// A state whose every slot and field is recognisable, to see what a file leaves alone.
ProjectState markedState() {
    ProjectState st = tourState();
    st.format = u'n';
    st.pointx.fill(-5);
    st.pointy.fill(-5);
    st.pointdist.fill(-5);
    return st;
}

ProjectState readInto(ProjectState st, const QByteArray& text, ProjectRead* out = nullptr,
                      KeyTable keys = projectKeys()) {
    const ProjectRead r = parseProjectText(text, keys);
    applyProjectRead(st, r, keys);
    if (out) *out = r;
    return st;
}

int noted(const ProjectRead& r) {
    return r.skippedLines + r.heldLines + r.refusedLines;
}

// Rows of every newer kind, over fields no file names, to try the table itself.
const char* const kMarks[] = {"dot", "arrow"};
const KeyRow kNewKeys[] = {
    {"speed", KeyKind::Number, &ProjectState::delay, false, 0.5, 4, "1"},
    {"tally", KeyKind::Whole, &ProjectState::framecount, false, 0, 10, "3"},
    {"tint", KeyKind::Colour, &ProjectState::renderframe, false, -DBL_MAX, DBL_MAX, "255"},
    {"tag", KeyKind::Text, &ProjectState::curdir},
    {"mark", KeyKind::Word, &ProjectState::legdir, false, 0, 0, "dot", kMarks},
    {"hold", KeyKind::Number, &ProjectState::pointdist, false, 0, 60, "0"},
};
} // namespace

class TestProjectText : public QObject {
    Q_OBJECT
  private slots:
    // The worked example, read without a note; test_project_file saves what it reads, byte for byte.
    void workedExample() {
        const QByteArray fixture = readFile(TEST_DATA_DIR "/tour.wsr");
        QCOMPARE(formatProjectText(tourState()), fixture);
        ProjectRead r;
        readInto(ProjectState{}, fixture, &r);
        QCOMPARE(noted(r), 0);
    }

    // Every slot, the extremes of the fields and texts holding "=" and "," read back as written.
    void roundTripOfUnusualValues() {
        ProjectState st = tourState();
        st.format = u'x';
        st.fps = 0.1 * 3;
        st.imagepath = "/odd=path,with commas/";
        st.rendername = "frames = 1, 2, 3";
        st.color = -2147483647 - 1;
        st.listmax = 100;
        for (int i = 0; i < kPointSlots; ++i) {
            st.pointx[i] = qint16(-32768 + i);
            st.pointy[i] = qint16(32767 - i);
            st.pointdist[i] = -0.5 * i;
        }
        const QByteArray text = formatProjectText(st);
        QCOMPARE(formatProjectText(readInto(ProjectState{.version = "1.1"}, text)), text);
    }

    // A key line read into the marked state, shown by the line the state writes back. A line
    // without "=" is skipped.
    void keys_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("held");
        QTest::addColumn<QString>("written");
        QTest::newRow("upper-case key") << "FORMAT = p" << 0 << "format = p";
        QTest::newRow("upper-case letter kept") << "format = P" << 0 << "format = P";
        QTest::newRow("first letter") << "format = pal" << 0 << "format = p";
        QTest::newRow("empty letter is a blank") << "format = " << 0 << "format =  ";
        QTest::newRow("longer key") << "formatx = p" << 0 << "format = n";
        QTest::newRow("tab is not trimmed") << "\tformat = p" << 0 << "format = n";
        QTest::newRow("selected unchecked") << "selected = 77" << 0 << "selected = 77";
        QTest::newRow("last wins") << "fps = 50\r\nfps = 30" << 0 << "fps = 30";
        QTest::newRow("path blanks trimmed") << "imagepath =  /a b/  " << 0 << "imagepath = /a b/";
        QTest::newRow("no equals sign") << "rendername trip" << 0 << "rendername = tour";
        QTest::newRow("16-bit held") << "frameheight = 40000" << 1 << "frameheight = 32767";
        QTest::newRow("infinite double held") << "fps = 1E999" << 1 << "fps = 1.79769313486232E+308";
        QTest::newRow("listmax above 100") << "listmax = 150" << 1 << "listmax = 100";
        QTest::newRow("interval beyond an hour") << "interval = 1e300" << 1 << "interval = 3600";
        QTest::newRow("negative interval") << "interval = -2" << 1 << "interval = 0";
        QTest::newRow("interval of an hour") << "interval = 3600" << 0 << "interval = 3600";
        QTest::newRow("listmax is no point") << "listmax = 1, 2, 3" << 0 << "listmax = 1";
        QTest::newRow("NUL in a name")
            << "rendername = a" + QString(QChar(0)) + "b" << 1 << "rendername = tour";
        QTest::newRow("DEL in a name") << "imagename = a\x7f" << 1 << "imagename = harbour.bmp";
        const QString a(kMaxLabelLength, u'a');
        QTest::newRow("long label cut") << "label.0 = " + a + "bc" << 1 << "label.0 = " + a;
        QTest::newRow("label cut before half a pair")
            << "label.0 = " + a.left(kMaxLabelLength - 1) + "\U0001F600" << 1
            << "label.0 = " + a.left(kMaxLabelLength - 1);
    }
    void keys() {
        QFETCH(QString, line);
        QFETCH(int, held);
        QFETCH(QString, written);
        ProjectRead r;
        const ProjectState st = readInto(markedState(), "[header]\r\n" + line.toUtf8() + "\r\n", &r);
        const QByteArray text = formatProjectText(st);
        QVERIFY2(text.contains("\r\n" + written.toUtf8() + "\r\n"), text.constData());
        QCOMPARE(noted(r), held);
        QCOMPARE(st.pointx, markedState().pointx); // no key line is a point line
    }

    // A line of a newer key, read into a state of four points, and what the state writes back
    // after the point lines: only values away from their defaults.
    void newKeys_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<int>("noted");
        QTest::newRow("number") << QByteArray("speed = 2") << QByteArray("speed = 2") << 0;
        QTest::newRow("default not written") << QByteArray("SPEED = 1") << QByteArray() << 0;
        QTest::newRow("number held") << QByteArray("speed = 9") << QByteArray("speed = 4") << 1;
        QTest::newRow("whole rounded") << QByteArray("tally = 2.5") << QByteArray("tally = 2") << 0;
        QTest::newRow("colour held") << QByteArray("tint = 16777216") << QByteArray("tint = 16777215") << 1;
        QTest::newRow("text") << QByteArray("tag = Harbour") << QByteArray("tag = Harbour") << 0;
        QTest::newRow("text with control") << QByteArray("tag = a\x01b") << QByteArray() << 1;
        QTest::newRow("word any case") << QByteArray("mark = ARROW") << QByteArray("mark = arrow") << 0;
        QTest::newRow("unknown word") << QByteArray("mark = star") << QByteArray() << 1;
        QTest::newRow("per point") << QByteArray("Hold.3 = 1.5") << QByteArray("hold.3 = 1.5") << 0;
        QTest::newRow("beyond the route") << QByteArray("hold.5 = 2") << QByteArray() << 0;
        QTest::newRow("slot 100") << QByteArray("hold.100 = 2") << QByteArray() << 1;
        QTest::newRow("no slot") << QByteArray("hold = 2") << QByteArray() << 0;
        // The program's own rows.
        QTest::newRow("output kind") << QByteArray("renderformat = PNG-Alpha")
                                     << QByteArray("renderformat = png-alpha") << 0;
        QTest::newRow("coordinates kept exactly")
            << QByteArray("geo.2 = 48.85661234567, -2.3522") << QByteArray("geo.2 = 48.85661234567, -2.3522") << 0;
        QTest::newRow("latitude off the earth") << QByteArray("geo.2 = 95, 2") << QByteArray() << 1;
        QTest::newRow("a number too many") << QByteArray("geo.2 = 1, 2, 3") << QByteArray() << 1;
        QTest::newRow("control points are not route points")
            << QByteArray("georef.7 = 10, 20.5, 48.8566, 2.3522") << QByteArray("georef.7 = 10, 20.5, 48.8566, 2.3522")
            << 0;
    }
    void newKeys() {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, written);
        QFETCH(int, noted);
        ProjectState start{.version = "1.1", .listmax = 4};
        start.delay = 3; // a value from before the file: a file without the line means the default
        ProjectRead r;
        const KeyTable keys =
            line.startsWith("render") || line.startsWith("geo") ? projectKeys() : KeyTable(kNewKeys);
        ProjectState st = readInto(start, "[h]\r\n" + line + "\r\n", &r, keys);
        QCOMPARE(::noted(r), noted);
        const QByteArray text = formatProjectText(st, keys);
        QCOMPARE(text.mid(text.lastIndexOf(" \r\n") + 3), written.isEmpty() ? written : written + "\r\n");
        QCOMPARE(formatProjectText(readInto(start, text, nullptr, keys), keys), text);
    }

    void pointLines_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("slot"); // -1: no slot changes
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<double>("dist");
        QTest::addColumn<int>("skipped");
        QTest::addColumn<int>("held");
        QTest::newRow("as written") << QByteArray(" 3  =  10 ,  20 ,  5 ") << 3 << 10 << 20 << 5.0 << 0 << 0;
        QTest::newRow("slot 0") << QByteArray("0 = 7, 8, 9") << 0 << 7 << 8 << 9.0 << 0 << 0;
        QTest::newRow("2.5 fills slot 2") << QByteArray("2.5 = 10, 20, 0") << 2 << 10 << 20 << 0.0 << 0 << 0;
        QTest::newRow("3.5 fills slot 4") << QByteArray("3.5 = 10, 20, 0") << 4 << 10 << 20 << 0.0 << 0 << 0;
        QTest::newRow("number then text") << QByteArray("5x = 1, 2, 3") << 5 << 1 << 2 << 3.0 << 0 << 0;
        QTest::newRow("last slot") << QByteArray("99 = 1, 2, 3") << 99 << 1 << 2 << 3.0 << 0 << 0;
        QTest::newRow("further commas") << QByteArray("4 = 1, 2, 3, 4") << 4 << 1 << 2 << 3.0 << 0 << 0;
        QTest::newRow("text reads 0") << QByteArray("8 = a, b, c") << 8 << 0 << 0 << 0.0 << 0 << 0;
        QTest::newRow("one comma") << QByteArray("3 = 10, 20") << -1 << 0 << 0 << 0.0 << 0 << 0;
        QTest::newRow("empty part") << QByteArray("3 = 10, , 5") << -1 << 0 << 0 << 0.0 << 0 << 0;
        QTest::newRow("0 then text") << QByteArray("0x = 1, 2, 3") << -1 << 0 << 0 << 0.0 << 0 << 0;
        QTest::newRow("99.5 rounds to 100") << QByteArray("99.5 = 1, 2, 3") << -1 << 0 << 0 << 0.0 << 1 << 0;
        QTest::newRow("negative slot") << QByteArray("-1 = 1, 2, 3") << -1 << 0 << 0 << 0.0 << 1 << 0;
        QTest::newRow("bad slot, bad value") << QByteArray("100 = 1, 2") << -1 << 0 << 0 << 0.0 << 0 << 0;
        QTest::newRow("coordinates held")
            << QByteArray("6 = 40000, -40000, 1.5") << 6 << 32767 << -32768 << 1.5 << 0 << 1;
    }
    void pointLines() {
        QFETCH(QByteArray, line);
        QFETCH(int, slot);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(double, dist);
        ProjectRead r;
        ProjectState expected = markedState();
        if (slot >= 0) {
            expected.pointx[slot] = qint16(x);
            expected.pointy[slot] = qint16(y);
            expected.pointdist[slot] = dist;
        }
        const ProjectState st = readInto(markedState(), "[header]\r\n" + line + "\r\n", &r);
        QCOMPARE(st.pointx, expected.pointx);
        QCOMPARE(st.pointy, expected.pointy);
        QCOMPARE(st.pointdist, expected.pointdist);
        QTEST(r.skippedLines, "skipped");
        QTEST(r.heldLines, "held");
        QCOMPARE(st.listmax, expected.listmax);
    }

    // Read as the decision for files edited here says: a lone LF ends a line too.
    void lineEnds_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("CR alone") << QByteArray("[h]\rformat = p\rlistmax = 2\r");
        QTest::newRow("LF alone") << QByteArray("[h]\nformat = p\nlistmax = 2\n");
        QTest::newRow("mixed, no end") << QByteArray("[h]\nformat = p\r\n\r\rlistmax = 2");
    }
    void lineEnds() {
        QFETCH(QByteArray, text);
        const ProjectState st = readInto(markedState(), text);
        QCOMPARE(st.format, QChar(u'p'));
        QCOMPARE(st.listmax, qint16(2));
    }

    // Valid UTF-8 is read as UTF-8, anything else as Windows-1252; a file is written back in its
    // own encoding, byte for byte, unless a character it gained has no byte in Windows-1252.
    void encodingKept_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("added"); // to the name after reading
        QTest::addColumn<QByteArray>("written");
        const auto row = [](const char* tag, const char* value, const char* name, const char* added,
                            const char* written) {
            QTest::newRow(tag) << QByteArray(value) << QString::fromUtf8(name) << QString::fromUtf8(added)
                               << QByteArray(written);
        };
        row("UTF-8", "stra\xc3\x9f", "straß", "", "stra\xc3\x9f");
        row("Windows-1252", "caf\xe9", "café", "", "caf\xe9");
        row("1252 undefined byte", "a\x81", "a\xc2\x81", "", "a\x81");
        row("overlong UTF-8 is 1252", "\xc0\xae", "À®", "", "\xc0\xae");
        row("ASCII gaining a 1252 character is UTF-8", "euro", "euro", "€", "euro\xe2\x82\xac");
        row("1252 gaining a character beyond it", "caf\xe9", "café", "東", "caf\xc3\xa9\xe6\x9d\xb1");
    }
    void encodingKept() {
        QFETCH(QByteArray, value);
        QFETCH(QString, added);
        ProjectState st = readInto(markedState(), "\xef\xbb\xbf[h]\r\nimagename = " + value + "\r\n");
        QTEST(st.imagename, "name");
        st.imagename += added;
        QFETCH(QByteArray, written);
        QVERIFY(formatProjectText(st).contains("\r\nimagename = " + written + "\r\n"));
    }

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

QTEST_GUILESS_MAIN(TestProjectText)
#include "test_project_text.moc"
