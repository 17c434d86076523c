// Coordinates as people type and paste them, and as the program shows them.
#include "geo/CoordinateText.h"

#include <QtTest>

class TestCoordinateText : public QObject {
    Q_OBJECT
  private slots:
    // What is read as latitude and longitude (five decimals), or "none". Whatever is read is
    // shown as text that reads back to the same place.
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* tag, const char* text, const char* expected) {
            QTest::newRow(tag) << QString::fromUtf8(text) << QString(expected);
        };
        row("comma", "48.8566, 2.3522", "48.85660 2.35220");
        row("blank", "48.8566 2.3522", "48.85660 2.35220");
        row("semicolon, no blanks", "48.8566;2.3522", "48.85660 2.35220");
        row("blanks around", "  48.8566 ,  2.3522  ", "48.85660 2.35220");
        row("signs", "-33.8688, +151.2093", "-33.86880 151.20930");
        row("unicode minus", "\u221222.9068 \u221243.1729", "-22.90680 -43.17290");
        row("letters after", "48.8566 N, 2.3522 E", "48.85660 2.35220");
        row("letters before", "N 48.8566 E 2.3522", "48.85660 2.35220");
        row("degree signs, west", "48.8566° N, 2.3522° W", "48.85660 -2.35220");
        row("lower case south west", "33.8688s 70.6693w", "-33.86880 -70.66930");
        row("longitude first by letters", "2.3522 E, 48.8566 N", "48.85660 2.35220");
        row("one letter decides", "151.2093E -33.8688", "-33.86880 151.20930");
        row("minutes and seconds", "48°51'24\"N 2°21'8\"E", "48.85667 2.35222");
        row("decimal minutes", "N 48° 51.4' E 2° 21.1333'", "48.85667 2.35222");
        row("prime signs", "48°51′24″N, 2°21′08″E", "48.85667 2.35222");
        row("two apostrophes", "48°51'24''N 2°21'08''E", "48.85667 2.35222");
        row("ordinal sign", "48º N 2º E", "48.00000 2.00000");
        row("as shown", "48.85661° N, 2.35222° E", "48.85661 2.35222");
        row("poles and date line", "-90 180", "-90.00000 180.00000");
        row("empty", "", "none");
        row("one number", "48.8566", "none");
        row("three numbers", "48.8566 2.3522 7", "none");
        row("latitude beyond", "91, 2", "none");
        row("longitude beyond", "48, 180.5", "none");
        row("beyond once put in place", "2 E 100 N", "none");
        row("two latitudes", "48 N 2 S", "none");
        row("two letters on one", "N 48 N, 2", "none");
        row("sign and south", "-33 S 70 W", "none");
        row("sixty minutes", "48°60' 2°", "none");
        row("sixty seconds", "48°51'60\" 2°", "none");
        row("exponent", "4.8e1 2", "none");
        row("decimal commas", "48,8566 2,3522", "none");
        row("two points", "48.85.66 2", "none");
        row("words", "Paris", "none");
        row("not numbers", "nan nan", "none");
        row("minutes without degrees", "48 51' 2", "none");
    }
    void parse() {
        QFETCH(QString, text);
        const std::optional<LatLon> at = parseLatLon(text);
        const QString got = at ? QString("%1 %2").arg(at->lat, 0, 'f', 5).arg(at->lon, 0, 'f', 5) : "none";
        QTEST(got, "expected");
        if (!at) return;
        const std::optional<LatLon> back = parseLatLon(latLonText(*at));
        QVERIFY2(back, qPrintable(latLonText(*at)));
        QVERIFY(std::abs(back->lat - at->lat) < 6e-6 && std::abs(back->lon - at->lon) < 6e-6);
    }
};

QTEST_APPLESS_MAIN(TestCoordinateText)
#include "test_coordinate_text.moc"
