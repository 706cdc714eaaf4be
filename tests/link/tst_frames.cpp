#include "frames.h"
#include "testmain.h"

class FramesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void placeholder() { QCOMPARE(Frames::standbyFrame(), QByteArray("\x02S\x03")); }
};

ORVANE_TEST_MAIN(FramesTest)
#include "tst_frames.moc"
