#include "app/etapes.h"

#include <QtTest>

using Position = AnimationEtapes::Position;

// The main window's test follows a step change tick by tick; here, what it
// does not reach: a panel stopped on its way rises again from where it
// stopped, a parked panel leaves from where it was parked, and a step out of
// range moves nothing.
class TestEtapes : public QObject {
    Q_OBJECT

private slots:
    void panneauArreteEnRouteOuGare()
    {
        AnimationEtapes a;
        a.placerPanneaux();
        QVERIFY(!a.choisir(5));
        QVERIFY(!a.choisir(-1));
        QVERIFY(a.choisir(1));
        for (int i = 0; i < 5; ++i)
            QVERIFY(!a.avancer());
        QVERIFY(a.choisir(2));
        while (!a.avancer()) {
        }
        QCOMPARE(a.position(1), (Position{2640, 7940}));
        QCOMPARE(a.position(0), (Position{2660, 10440}));

        QVERIFY(a.choisir(1));
        int ticks = 1;
        while (!a.avancer())
            ++ticks;
        QCOMPARE(ticks, 17);
        QCOMPARE(a.position(1), (Position{2640, 1440}));

        // Parked at 2660, panel 0 comes back there and leaves from there:
        // 16 ticks to 10660.
        QVERIFY(a.choisir(0));
        while (!a.avancer()) {
        }
        QCOMPARE(a.position(0), (Position{2660, 1440}));
        QVERIFY(a.choisir(1));
        for (int i = 0; i < 16; ++i)
            QVERIFY(!a.avancer());
        QCOMPARE(a.position(0).left, 10660.f);
    }
};

QTEST_GUILESS_MAIN(TestEtapes)
#include "tst_etapes.moc"
