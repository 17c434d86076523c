// The ".wsr" text: the worked example byte for byte, keys, point lines, values that do not
// fit, line ends and text encoding.
#include "project/ProjectText.h"

#include <QFile>
#include <QtTest>
#include <algorithm>
#include <cfloat>

namespace {
// The worked example: a PAL project with three points and the default style.
ProjectState tourState() {
    ProjectState st;
    st.version = "1.1";
    st.format = u'p';
    st.fps = 25;
    st.frameheight = 576;
    st.framewidth = 786;
    st.imagepath = "C:\\Maps\\"; // paths are kept as written, whatever their separator
    st.imagename = "harbour.bmp";
    st.renderpath = "C:\\Frames\\";
    st.rendername = "tour";
    st.interval = 2;
    st.color = rgb(255, 0, 0);
    st.linethick = 5;
    st.circlethick = 3;
    st.circleradius = 10;
    st.selected = -1;
    st.selcolor = rgb(255, 255, 0);
    st.listmax = 3;
    st.pointx = {120, 300, 512};
    st.pointy = {45, 210, 400};
    return st;
}

QByteArray fixture() {
    QFile f(TEST_DATA_DIR "/tour.wsr");
    if (!f.open(QIODevice::ReadOnly)) qFatal("missing fixture tour.wsr");
    return f.readAll();
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

ProjectState readInto(ProjectState st, const QByteArray& text, ProjectRead* out = nullptr) {
    const ProjectRead r = parseProjectText(text);
    applyProjectRead(st, r);
    if (out) *out = r;
    return st;
}

QVariant field(const ProjectState& st, const QString& name) {
    if (name == "format") return QString(st.format);
    if (name == "fps") return st.fps;
    if (name == "interval") return st.interval;
    if (name == "frameheight") return int(st.frameheight);
    if (name == "linethick") return int(st.linethick);
    if (name == "circlethick") return int(st.circlethick);
    if (name == "selected") return int(st.selected);
    if (name == "listmax") return int(st.listmax);
    if (name == "color") return int(st.color);
    if (name == "selcolor") return int(st.selcolor);
    if (name == "imagepath") return st.imagepath;
    if (name == "imagename") return st.imagename;
    if (name == "rendername") return st.rendername;
    qFatal("unknown field in test table");
}
} // namespace

class TestProjectText : public QObject {
    Q_OBJECT
  private slots:
    void workedExampleByteForByte();
    void workedExampleReadsBack();
    void roundTripOfUnusualValues();
    void noPointsWritesSeventeenLines();
    void keys_data();
    void keys();
    void pointLines_data();
    void pointLines();
    void slotsNotNamedKeepTheirValues();
    void lineEnds_data();
    void lineEnds();
    void encodingRead_data();
    void encodingRead();
    void encodingWrite();
};

void TestProjectText::workedExampleByteForByte() {
    const QByteArray written = formatProjectText(tourState());
    QCOMPARE(written, fixture());
    QCOMPARE(written.count("\r\n"), 20);
}

void TestProjectText::workedExampleReadsBack() {
    ProjectRead r;
    ProjectState st = readInto(ProjectState{}, fixture(), &r);
    QCOMPARE(r.skippedLines + r.heldLines, 0);
    QCOMPARE(st.format, QChar(u'p'));
    QCOMPARE(st.fps, 25.0);
    QCOMPARE(st.imagepath, QString("C:\\Maps\\"));
    QCOMPARE(st.imagename, QString("harbour.bmp"));
    QCOMPARE(st.renderpath, QString("C:\\Frames\\"));
    QCOMPARE(st.rendername, QString("tour"));
    QCOMPARE(st.selected, qint16(-1));
    QCOMPARE(st.selcolor, 65535);
    QCOMPARE(st.listmax, qint16(3));
    QCOMPARE(st.pointx, tourState().pointx);
    QCOMPARE(st.pointy, tourState().pointy);
    QCOMPARE(st.pointdist, tourState().pointdist);
    st.version = "1.1"; // the header is not read
    QCOMPARE(formatProjectText(st), fixture());
}

void TestProjectText::roundTripOfUnusualValues() {
    ProjectState st = tourState();
    st.format = u'x';
    st.fps = 0.1 * 3;
    st.interval = 1.7;
    st.imagepath = " /odd=path,with commas/";
    st.rendername = "frames = 1, 2, 3";
    st.color = -2147483647 - 1;
    st.listmax = 100;
    for (int i = 0; i < kPointSlots; ++i) {
        st.pointx[i] = qint16(-32768 + i);
        st.pointy[i] = qint16(32767 - i);
        st.pointdist[i] = -0.5 * i;
    }
    const ProjectState back = readInto(ProjectState{}, formatProjectText(st));
    QCOMPARE(back.format, st.format);
    QCOMPARE(back.fps, 0.3);
    QCOMPARE(back.interval, 1.7);
    QCOMPARE(back.imagepath, st.imagepath.trimmed()); // leading blanks are lost, as files always did
    QCOMPARE(back.rendername, st.rendername);
    QCOMPARE(back.color, st.color);
    QCOMPARE(back.pointx, st.pointx);
    QCOMPARE(back.pointy, st.pointy);
    QCOMPARE(back.pointdist, st.pointdist);
}

void TestProjectText::noPointsWritesSeventeenLines() {
    ProjectState st = tourState();
    st.listmax = 0;
    const QByteArray text = formatProjectText(st);
    QCOMPARE(text.count("\r\n"), 17);
    QVERIFY(text.endsWith("listmax = 0\r\n"));
    const ProjectState back = readInto(markedState(), text);
    QCOMPARE(back.listmax, qint16(0));
    QCOMPARE(back.pointx, markedState().pointx);
}

void TestProjectText::keys_data() {
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("held");
    QTest::newRow("upper-case key") << QByteArray("FORMAT = p") << "format" << QVariant("p") << 0;
    QTest::newRow("upper-case letter kept") << QByteArray("format = P") << "format" << QVariant("P") << 0;
    QTest::newRow("first letter") << QByteArray("format = ntsc") << "format" << QVariant("n") << 0;
    QTest::newRow("empty letter is a blank") << QByteArray("format = ") << "format" << QVariant(" ") << 0;
    QTest::newRow("longer key") << QByteArray("formatx = p") << "format" << QVariant("n") << 0;
    QTest::newRow("shorter key") << QByteArray("form = p") << "format" << QVariant("n") << 0;
    QTest::newRow("tab is not trimmed") << QByteArray("\tformat = p") << "format" << QVariant("n") << 0;
    QTest::newRow("blanks around") << QByteArray("   Color   =   255   ") << "color" << QVariant(255) << 0;
    QTest::newRow("comma ends number") << QByteArray("linethick = 12,5") << "linethick" << QVariant(12) << 0;
    QTest::newRow("hex colour") << QByteArray("selcolor = &HFFFF") << "selcolor" << QVariant(65535) << 0;
    QTest::newRow("tie to even down") << QByteArray("linethick = 2.5") << "linethick" << QVariant(2) << 0;
    QTest::newRow("tie to even up") << QByteArray("circlethick = 3.5") << "circlethick" << QVariant(4) << 0;
    QTest::newRow("not a number") << QByteArray("selected = none") << "selected" << QVariant(0) << 0;
    QTest::newRow("selected unchecked") << QByteArray("selected = 77") << "selected" << QVariant(77) << 0;
    QTest::newRow("last wins") << QByteArray("fps = 50\r\nfps = 30") << "fps" << QVariant(30.0) << 0;
    QTest::newRow("interval") << QByteArray("interval = 1.5") << "interval" << QVariant(1.5) << 0;
    QTest::newRow("path blanks trimmed")
        << QByteArray("imagepath =  /a b/  ") << "imagepath" << QVariant("/a b/") << 0;
    QTest::newRow("path with = and ,")
        << QByteArray("imagepath = /x=y,z/") << "imagepath" << QVariant("/x=y,z/") << 0;
    QTest::newRow("empty name") << QByteArray("imagename = ") << "imagename" << QVariant("") << 0;
    QTest::newRow("no equals sign") << QByteArray("rendername tour") << "rendername" << QVariant("tour") << 0;
    QTest::newRow("16-bit held high")
        << QByteArray("frameheight = 40000") << "frameheight" << QVariant(32767) << 1;
    QTest::newRow("16-bit held low") << QByteArray("selected = -1E9") << "selected" << QVariant(-32768) << 1;
    QTest::newRow("32-bit held") << QByteArray("color = 1E10") << "color" << QVariant(2147483647) << 1;
    QTest::newRow("infinite double held") << QByteArray("fps = 1E999") << "fps" << QVariant(DBL_MAX) << 1;
    QTest::newRow("listmax above 100") << QByteArray("listmax = 150") << "listmax" << QVariant(100) << 1;
    QTest::newRow("listmax below 0") << QByteArray("listmax = -4") << "listmax" << QVariant(0) << 1;
    QTest::newRow("listmax 100 fits") << QByteArray("listmax = 100") << "listmax" << QVariant(100) << 0;
    QTest::newRow("listmax is no point") << QByteArray("listmax = 1, 2, 3") << "listmax" << QVariant(1) << 0;
}

void TestProjectText::keys() {
    QFETCH(QByteArray, lines);
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    QFETCH(int, held);
    ProjectRead r;
    const ProjectState st = readInto(markedState(), "[header]\r\n" + lines + "\r\n", &r);
    QCOMPARE(field(st, name), value);
    QCOMPARE(r.heldLines, held);
    QCOMPARE(r.skippedLines, 0);
    QCOMPARE(st.pointx, markedState().pointx); // no key line is a point line
}

void TestProjectText::pointLines_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("slot"); // -1: no slot changes
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<double>("dist");
    QTest::addColumn<int>("skipped");
    QTest::addColumn<int>("held");
    QTest::newRow("as written") << QByteArray(" 3  =  10 ,  20 ,  5 ") << 3 << 10 << 20 << 5.0 << 0 << 0;
    QTest::newRow("tight") << QByteArray("3=10,20,0.25") << 3 << 10 << 20 << 0.25 << 0 << 0;
    QTest::newRow("slot 0") << QByteArray("0 = 7, 8, 9") << 0 << 7 << 8 << 9.0 << 0 << 0;
    QTest::newRow("slot 00") << QByteArray("00 = 7, 8, 9") << 0 << 7 << 8 << 9.0 << 0 << 0;
    QTest::newRow("0.4 fills slot 0") << QByteArray("0.4 = 10, 20, 0") << 0 << 10 << 20 << 0.0 << 0 << 0;
    QTest::newRow("2.5 fills slot 2") << QByteArray("2.5 = 10, 20, 0") << 2 << 10 << 20 << 0.0 << 0 << 0;
    QTest::newRow("3.5 fills slot 4") << QByteArray("3.5 = 10, 20, 0") << 4 << 10 << 20 << 0.0 << 0 << 0;
    QTest::newRow("number then text") << QByteArray("5x = 1, 2, 3") << 5 << 1 << 2 << 3.0 << 0 << 0;
    QTest::newRow("last slot") << QByteArray("99 = 1, 2, 3") << 99 << 1 << 2 << 3.0 << 0 << 0;
    QTest::newRow("further commas") << QByteArray("4 = 1, 2, 3, 4") << 4 << 1 << 2 << 3.0 << 0 << 0;
    QTest::newRow("other numbers") << QByteArray("7 = &H10, 1D1, .25") << 7 << 16 << 10 << 0.25 << 0 << 0;
    QTest::newRow("text reads 0") << QByteArray("8 = a, b, c") << 8 << 0 << 0 << 0.0 << 0 << 0;
    QTest::newRow("one comma") << QByteArray("3 = 10, 20") << -1 << 0 << 0 << 0.0 << 0 << 0;
    QTest::newRow("empty part") << QByteArray("3 = 10, , 5") << -1 << 0 << 0 << 0.0 << 0 << 0;
    QTest::newRow("empty distance") << QByteArray("3 = 10, 20,  ") << -1 << 0 << 0 << 0.0 << 0 << 0;
    QTest::newRow("word key") << QByteArray("abc = 1, 2, 3") << -1 << 0 << 0 << 0.0 << 0 << 0;
    QTest::newRow("0 then text") << QByteArray("0x = 1, 2, 3") << -1 << 0 << 0 << 0.0 << 0 << 0;
    QTest::newRow("slot 100") << QByteArray("100 = 1, 2, 3") << -1 << 0 << 0 << 0.0 << 1 << 0;
    QTest::newRow("99.5 rounds to 100") << QByteArray("99.5 = 1, 2, 3") << -1 << 0 << 0 << 0.0 << 1 << 0;
    QTest::newRow("huge slot") << QByteArray("1E400 = 1, 2, 3") << -1 << 0 << 0 << 0.0 << 1 << 0;
    QTest::newRow("negative slot") << QByteArray("-1 = 1, 2, 3") << -1 << 0 << 0 << 0.0 << 1 << 0;
    QTest::newRow("bad slot, bad value") << QByteArray("100 = 1, 2") << -1 << 0 << 0 << 0.0 << 0 << 0;
    QTest::newRow("coordinates held")
        << QByteArray("6 = 40000, -40000, 1.5") << 6 << 32767 << -32768 << 1.5 << 0 << 1;
}

void TestProjectText::pointLines() {
    QFETCH(QByteArray, line);
    QFETCH(int, slot);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(double, dist);
    QFETCH(int, skipped);
    QFETCH(int, held);
    ProjectRead r;
    const ProjectState before = markedState();
    const ProjectState st = readInto(before, "[header]\r\n" + line + "\r\n", &r);
    for (int i = 0; i < kPointSlots; ++i) {
        if (i == slot) continue;
        QCOMPARE(st.pointx[i], before.pointx[i]);
        QCOMPARE(st.pointdist[i], before.pointdist[i]);
    }
    if (slot >= 0) {
        QCOMPARE(int(st.pointx[slot]), x);
        QCOMPARE(int(st.pointy[slot]), y);
        QCOMPARE(st.pointdist[slot], dist);
    }
    QCOMPARE(r.skippedLines, skipped);
    QCOMPARE(r.heldLines, held);
    QCOMPARE(st.listmax, before.listmax);
}

void TestProjectText::slotsNotNamedKeepTheirValues() {
    ProjectState before = markedState();
    before.listmax = 5;
    const ProjectState st = readInto(before, "7 = 1, 2, 3\r\n2 = 4, 5, 6\r\n2 = 8, 9, 10\r\n");
    QCOMPARE(st.listmax, qint16(5)); // no listmax line: the old count stays
    QCOMPARE(st.pointx[2], qint16(8));
    QCOMPARE(st.pointx[7], qint16(1));
    QCOMPARE(st.pointx[3], qint16(-5));
    QCOMPARE(st.pointdist[0], -5.0);
}

void TestProjectText::lineEnds_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("CR LF") << QByteArray("[h]\r\nformat = p\r\nlistmax = 2\r\n");
    QTest::newRow("CR alone") << QByteArray("[h]\rformat = p\rlistmax = 2\r");
    QTest::newRow("LF alone") << QByteArray("[h]\nformat = p\nlistmax = 2\n");
    QTest::newRow("mixed, no end") << QByteArray("[h]\nformat = p\r\n\r\rlistmax = 2");
}

void TestProjectText::lineEnds() {
    QFETCH(QByteArray, text);
    const ProjectState st = readInto(markedState(), text);
    QCOMPARE(st.format, QChar(u'p'));
    QCOMPARE(st.listmax, qint16(2));
}

void TestProjectText::encodingRead_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("name");
    QTest::newRow("ASCII") << QByteArray("map.png") << "map.png";
    QTest::newRow("UTF-8") << QByteArray("stra\xc3\x9f"
                                         "e.png")
                           << QString::fromUtf8("straße.png");
    QTest::newRow("Windows-1252") << QByteArray("stra\xdf"
                                                "e.png")
                                  << QString::fromUtf8("straße.png");
    QTest::newRow("1252 euro and quotes") << QByteArray("\x80\x93x\x94") << QString::fromUtf8("€“x”");
    QTest::newRow("1252 undefined byte") << QByteArray("a\x81") << QString("a") + QChar(0x81);
    QTest::newRow("overlong UTF-8 is 1252") << QByteArray("\xc0\xae") << QString::fromUtf8("À®");
    QTest::newRow("cut UTF-8 is 1252") << QByteArray("x\xc3") << QString::fromUtf8("xÃ");
}

void TestProjectText::encodingRead() {
    QFETCH(QByteArray, value);
    QFETCH(QString, name);
    const ProjectState st = readInto(markedState(), "\xef\xbb\xbf[h]\r\nimagename = " + value + "\r\n");
    QCOMPARE(st.imagename, name);
}

void TestProjectText::encodingWrite() {
    ProjectState st = tourState();
    const QByteArray ascii = formatProjectText(st);
    QVERIFY(std::all_of(ascii.begin(), ascii.end(), [](char c) { return uchar(c) < 0x80; }));
    st.imagepath = QString::fromUtf8("/karten/straße/");
    st.rendername = QString::fromUtf8("€ route 東京");
    const QByteArray text = formatProjectText(st);
    QVERIFY(text.contains("imagepath = /karten/stra\xc3\x9f"
                          "e/\r\n"));
    const ProjectState back = readInto(ProjectState{}, text);
    QCOMPARE(back.imagepath, st.imagepath);
    QCOMPARE(back.rendername, st.rendername);
}

QTEST_GUILESS_MAIN(TestProjectText)
#include "test_project_text.moc"
