// Add/modify/delete rounds through the windows: each round gives back the
// widgets, objects, timers, threads and descriptors it took, and the heap
// holds steady. bench/alarm-cycles.sh runs 1,000 rounds and prints figures.

#include "alarmcycle.h"
#include "alarmfixture.h"
#include "host/runtime/runtime.h"
#include "liveobjects.h"
#include "processusage.h"

namespace {

class AlarmCycles : public AlarmFixture
{
protected:
    // Made before SetUp, so that the main window's objects are counted too.
    LiveObjects m_objects;
};

} // namespace

TEST_F(AlarmCycles, EveryRoundGivesBackWhatItTook)
{
    // The first rounds make what Qt keeps for the rest of the run (fonts, the style's caches).
    for (int round = 0; round < 5; ++round)
        ASSERT_EQ(alarmcycle::run(), "");
    const LiveObjects::Counts objects = m_objects.counts();
    const ProcessUsage usage = processUsage();
    long long heapAfterTen = 0;
    for (int round = 1; round <= 50; ++round) {
        SCOPED_TRACE(round);
        ASSERT_EQ(alarmcycle::run(), "");
        const LiveObjects::Counts nowObjects = m_objects.counts();
        const ProcessUsage now = processUsage();
        ASSERT_EQ(nowObjects.objects, objects.objects);
        ASSERT_EQ(nowObjects.widgets, objects.widgets);
        ASSERT_EQ(nowObjects.timers, objects.timers);
        // Qt's painting workers come and go on their own, with their descriptors.
        ASSERT_EQ(now.threads - now.pooledThreads, usage.threads - usage.pooledThreads);
        ASSERT_EQ(now.descriptors - now.pooledThreads, usage.descriptors - usage.pooledThreads);
        if (round == 10)
            heapAfterTen = now.heapBytes;
    }
    // Room for allocator noise; a leak of more than about 6 KiB a round shows.
    EXPECT_LT(processUsage().heapBytes, heapAfterTen + 256 * 1024);
}
