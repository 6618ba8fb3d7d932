#include "app/etapes.h"

#include <QtTest>

using Position = AnimationEtapes::Position;

class TestEtapes : public QObject {
    Q_OBJECT

private slots:
    void premierChangementEnDixNeufTicks()
    {
        AnimationEtapes a;
        a.placerPanneaux();
        QVERIFY(a.choisir(1));
        int ticks = 0;
        bool fini = false;
        while (!fini && ticks < 100) {
            fini = a.avancer();
            ++ticks;
            if (ticks == 16)
                QCOMPARE(a.position(0), (Position{10640, 1440}));
            if (ticks == 15)
                QCOMPARE(a.position(0).left, 10140.f);
            if (ticks == 18) {
                QCOMPARE(a.position(1), (Position{2640, 1440}));
                QCOMPARE(a.position(0), (Position{10640, 1440}));
                QCOMPARE(a.iEtapeCourante(), 0);
            }
        }
        QCOMPARE(ticks, 19);
        QCOMPARE(a.position(0), (Position{2660, 10440}));
        QCOMPARE(a.position(1), (Position{2640, 1440}));
        QCOMPARE(a.iEtapeCourante(), 1);

        // A panel once parked leaves from 2660: its exit takes 16 ticks to 10660.
        QVERIFY(a.choisir(0));
        for (int i = 0; i < 16; ++i)
            QVERIFY(!a.avancer());
        QCOMPARE(a.position(1).left, 10640.f);
        QCOMPARE(a.position(0), (Position{2660, 2440}));
        QVERIFY(!a.avancer());
        QVERIFY(!a.avancer());
        QVERIFY(a.avancer());
        QCOMPARE(a.position(0), (Position{2660, 1440}));
        QCOMPARE(a.iEtapeCourante(), 0);
        QVERIFY(a.choisir(1));
        for (int i = 0; i < 16; ++i)
            a.avancer();
        QCOMPARE(a.position(0).left, 10660.f);
    }

    void troisiemeEtapeEnCoursDeMouvement()
    {
        AnimationEtapes a;
        a.placerPanneaux();
        QVERIFY(a.choisir(1));
        for (int i = 0; i < 5; ++i)
            QVERIFY(!a.avancer());
        QCOMPARE(a.position(1).top, 7940.f);
        QVERIFY(!a.choisir(0));      // the current step: nothing changes
        QCOMPARE(a.iEtapeCible(), 1);
        QVERIFY(a.choisir(2));
        int ticks = 0;
        while (!a.avancer())
            ++ticks;
        QCOMPARE(ticks + 1, 19);     // panel 2 rises the whole way
        QCOMPARE(a.iEtapeCourante(), 2);
        QCOMPARE(a.position(1), (Position{2640, 7940}));   // stopped where it was
        QCOMPARE(a.position(2), (Position{2640, 1440}));
        QCOMPARE(a.position(0), (Position{2660, 10440}));

        // Chosen again, it rises from where it stopped.
        QVERIFY(a.choisir(1));
        ticks = 0;
        while (!a.avancer())
            ++ticks;
        QCOMPARE(ticks + 1, 17);
        QCOMPARE(a.position(1), (Position{2640, 1440}));
    }

    void clicSurLEtapeCourante()
    {
        AnimationEtapes a;
        a.placerPanneaux();
        QVERIFY(!a.choisir(0));
        QVERIFY(!a.choisir(5));
        QVERIFY(!a.choisir(-1));
    }
};

QTEST_GUILESS_MAIN(TestEtapes)
#include "tst_etapes.moc"
