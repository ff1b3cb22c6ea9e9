#include "compound/COleChainBuilder.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "compound/CDataContainerOle.h"
#include "compound/COleFileReader.h"
#include "compound/CompoundFormat.h"
#include "compound/EErrorCode.h"
#include "compound/tests/ParsedFile.h"
#include "compound/tests/support/CompoundFileBuilder.h"

namespace {

CSectorList Table(std::initializer_list<std::int32_t> values) {
    CSectorList table;
    for (const std::int32_t v : values) table.Add(v);
    return table;
}

std::vector<std::int32_t> Follow(std::int32_t start, const CSectorList& table) {
    return COleChainBuilder::FollowChain(start, table).Values();
}

// A directory entry with the given name and links; the name is stored
// without regard to the 31-unit limit so that damaged names can be made.
COleDirectoryEntry Entry(const std::u16string& name, std::int32_t left, std::int32_t right,
                         std::int32_t child) {
    using namespace CompoundFormat;
    std::array<std::uint8_t, kDirectoryEntrySize> bytes{};
    for (std::size_t i = 0; i < name.size() && i < kEntryNameUnits; ++i) {
        bytes[2 * i] = static_cast<std::uint8_t>(name[i]);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(name[i] >> 8);
    }
    auto put = [&bytes](std::uint32_t at, std::int32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put(kEntryLeftSiblingOffset, left);
    put(kEntryRightSiblingOffset, right);
    put(kEntryChildOffset, child);
    return COleDirectoryEntry(bytes.data());
}

std::int32_t Find(CDataContainerOle& container, const std::u16string& name) {
    COleChainBuilder builder(&container);
    return builder.FindStream(name);
}

}  // namespace

// --- Bounded chain walks -----------------------------------------------------

TEST(FollowChain, EndsAtTheEndMarkerAndKeepsIt) {
    const CSectorList fat = Table({1, 2, -2});
    EXPECT_EQ(Follow(0, fat), (std::vector<std::int32_t>{0, 1, 2, -2}));
}

TEST(FollowChain, LoopYieldsExactlyTableCountPlusOneValues) {
    // Sector 5 continues to 3 and 3 to 5, in an eight-entry FAT.
    const CSectorList fat = Table({-1, -1, -1, 5, -1, 3, -1, -1});
    const std::vector<std::int32_t> chain = Follow(5, fat);
    ASSERT_EQ(chain.size(), fat.GetCount() + 1);
    for (std::size_t i = 0; i < chain.size(); ++i) EXPECT_EQ(chain[i], i % 2 ? 3 : 5);
    // The value that stopped the walk is a sector id, not an end marker.
    EXPECT_GE(chain.back(), 0);
}

TEST(FollowChain, SectorContinuingIntoItselfIsBoundedLikeAnyLoop) {
    const CSectorList fat = Table({0, -2, -2});
    EXPECT_EQ(Follow(0, fat), (std::vector<std::int32_t>{0, 0, 0, 0}));
}

TEST(FollowChain, LookupPastTheTableEndsTheChainWithEndMarker) {
    const CSectorList fat = Table({1, 9, -1, -1});
    EXPECT_EQ(Follow(0, fat), (std::vector<std::int32_t>{0, 1, 9, -2}));
}

TEST(FollowChain, BoundIsTheTableLengthEvenWhenTheChainWouldEndLater) {
    // Two entries allow two steps; the id reached then is kept as it is.
    EXPECT_EQ(Follow(0, Table({1, 9})), (std::vector<std::int32_t>{0, 1, 9}));
}

TEST(FollowChain, NegativeStartOrEmptyTableGivesOneValue) {
    EXPECT_EQ(Follow(-2, Table({1, -2})), (std::vector<std::int32_t>{-2}));
    EXPECT_EQ(Follow(-1, Table({})), (std::vector<std::int32_t>{-1}));
    // With no table there are no steps: the start is the value that stopped.
    EXPECT_EQ(Follow(4, Table({})), (std::vector<std::int32_t>{4}));
}

TEST(FollowChain, NoRandomTableMakesAChainLongerThanItsBound) {
    std::mt19937 random(12345);
    for (int round = 0; round < 200; ++round) {
        CSectorList fat;
        const int count = static_cast<int>(random() % 64);
        for (int i = 0; i < count; ++i) fat.Add(static_cast<std::int32_t>(random() % 80) - 4);
        const std::vector<std::int32_t> chain =
            Follow(static_cast<std::int32_t>(random() % 70) - 2, fat);
        ASSERT_LE(chain.size(), fat.GetCount() + 1u);
        // Every value but the last continues to the next through the table.
        for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
            ASSERT_GE(chain[i], 0);
            ASSERT_EQ(fat.Lookup(chain[i]), chain[i + 1]);
        }
    }
}

// --- Directory tree search -----------------------------------------------------

TEST(FindStream, VisitsLeftThenRightThenChild) {
    CDataContainerOle container("unused");
    auto& e = container.GetEntries();
    e.push_back(Entry(u"Root Entry", -1, -1, 1));
    e.push_back(Entry(u"A", 2, 3, 4));
    e.push_back(Entry(u"L", -1, -1, 5));  // left subtree, searched first
    e.push_back(Entry(u"Workbook", -1, -1, -1));
    e.push_back(Entry(u"Workbook", -1, -1, -1));
    e.push_back(Entry(u"Workbook", -1, -1, -1));
    EXPECT_EQ(Find(container, u"Workbook"), 5);
    EXPECT_EQ(Find(container, u"A"), 1);
    EXPECT_EQ(Find(container, u"Nothing"), -1);
}

TEST(FindStream, NamesMatchIgnoringLetterCaseButNothingElse) {
    CDataContainerOle container("unused");
    auto& e = container.GetEntries();
    e.push_back(Entry(u"Root Entry", -1, -1, 1));
    e.push_back(Entry(u"Workbook ", -1, 2, -1));
    e.push_back(Entry(u"WORKBOOK", -1, 3, -1));
    e.push_back(Entry(u"Book", -1, -1, -1));
    EXPECT_EQ(Find(container, u"Workbook"), 2);
    EXPECT_EQ(Find(container, u"workbook"), 2);
    EXPECT_EQ(Find(container, u"Workbook "), 1);
    EXPECT_EQ(Find(container, u"Workbook1"), -1);
    EXPECT_EQ(Find(container, u"Boo"), -1);
}

TEST(FindStream, NameWithoutNulIsAllThirtyTwoUnits) {
    CDataContainerOle container("unused");
    const std::u16string longName(32, u'x');
    container.GetEntries().push_back(Entry(u"Root Entry", -1, -1, 1));
    container.GetEntries().push_back(Entry(longName, -1, -1, -1));
    EXPECT_EQ(container.GetEntries()[1].GetName(), longName);
    EXPECT_EQ(Find(container, longName), 1);
    EXPECT_EQ(Find(container, std::u16string(31, u'x')), -1);
}

TEST(FindStream, EntryZeroIsNeverCompared) {
    CDataContainerOle container("unused");
    auto& e = container.GetEntries();
    // Entry 0 is reachable from its own child, but its name is the root's.
    e.push_back(Entry(u"Workbook", -1, -1, 1));
    e.push_back(Entry(u"Other", 0, -1, -1));
    EXPECT_EQ(Find(container, u"Workbook"), -1);
}

TEST(FindStream, LoopsAndOutOfRangeLinksEnd) {
    CDataContainerOle container("unused");
    auto& e = container.GetEntries();
    e.push_back(Entry(u"Root Entry", -1, -1, 1));
    e.push_back(Entry(u"A", 2, 1, 99));           // right to itself, child out of range
    e.push_back(Entry(u"B", 1, 2, -7));           // back to A and to itself
    e.push_back(Entry(u"Workbook", -1, -1, -1));  // unreachable
    EXPECT_EQ(Find(container, u"Workbook"), -1);
    EXPECT_EQ(Find(container, u"B"), 2);
}

TEST(FindStream, NoEntriesOrStartOutOfRangeFindsNothing) {
    CDataContainerOle empty("unused");
    EXPECT_EQ(Find(empty, u"Workbook"), -1);

    CDataContainerOle container("unused");
    container.GetEntries().push_back(Entry(u"Root Entry", -1, -1, 4));
    container.GetEntries().push_back(Entry(u"Workbook", -1, -1, -1));
    EXPECT_EQ(Find(container, u"Workbook"), -1);
}

TEST(FindStream, DegenerateTreeTensOfThousandsDeepDoesNotExhaustTheStack) {
    CDataContainerOle container("unused");
    const std::int32_t depth = 50000;
    container.GetEntries().push_back(Entry(u"Root Entry", -1, -1, 1));
    for (std::int32_t id = 1; id < depth; ++id) {
        container.GetEntries().push_back(Entry(u"S", -1, id + 1, -1));
    }
    container.GetEntries().push_back(Entry(u"Workbook", -1, -1, -1));
    EXPECT_EQ(Find(container, u"Workbook"), depth);
}

// --- Chains of the entries -------------------------------------------------------

TEST(EntryChains, RootTakesTheFatAndStreamsChooseBySize) {
    CompoundFileBuilder builder;
    builder.AddStream(u"Small", Pattern(200, 1));
    builder.AddStream(u"Workbook", Pattern(4096, 2));  // at the cutoff: regular
    ParsedFile parsed(builder.Build());
    ASSERT_EQ(parsed.Bits(), 0u);
    const CompoundFileBuilder::Layout& layout = builder.GetLayout();
    const auto& entries = parsed.Ole().GetDataContainerOle()->GetEntries();

    std::vector<std::int32_t> root = layout.miniStreamSectors;
    root.push_back(-2);
    EXPECT_EQ(entries[0].GetChain().Values(), root);

    std::vector<std::int32_t> small = layout.Find(u"Small")->sectors;
    small.push_back(-2);
    EXPECT_EQ(entries[1].GetChain().Values(), small);

    std::vector<std::int32_t> workbook = layout.Find(u"Workbook")->sectors;
    workbook.push_back(-2);
    EXPECT_EQ(entries[2].GetChain().Values(), workbook);
}

TEST(EntryChains, ChainsLeftPastTheBudgetAreBuiltAlikeWhenNeeded) {
    CompoundFileBuilder builder;
    builder.AddStream(u"Small", Pattern(700, 3));
    builder.AddStream(u"Workbook", Pattern(9000, 4));
    builder.AddStream(u"Tiny", Pattern(70, 5));
    builder.SetMinDirectorySectors(3);
    ScratchFolder folder;
    const std::filesystem::path source = folder.Write("source.xls", builder.Build());

    auto parse = [&source](CDataContainerOle& container, std::uint64_t budget) {
        COleFileReader reader(&container);
        COleChainBuilder chains(&container, budget);
        std::uint32_t bits = reader.Open();
        bits |= reader.ReadHeader() | reader.ReadDifat() | reader.ReadFat();
        bits |= chains.BuildMiniFatChain() | reader.ReadMiniFat();
        bits |= chains.BuildDirectoryChain() | reader.ReadDirectory();
        bits |= chains.FindRootEntry() | chains.BuildEntryChains();
        return bits;
    };
    CDataContainerOle eager(source);
    CDataContainerOle deferred(source);
    ASSERT_EQ(parse(eager, COleChainBuilder::kEagerChainBudget), 0u);
    // A budget the root's chain alone uses up: every other chain waits.
    ASSERT_EQ(parse(deferred, 1), 0u);
    ASSERT_EQ(deferred.GetEntryCount(), eager.GetEntryCount());
    EXPECT_TRUE(deferred.GetEntries()[0].HasChain());
    for (std::uint32_t id = 1; id < deferred.GetEntryCount(); ++id) {
        EXPECT_FALSE(deferred.GetEntries()[id].HasChain()) << id;
        COleChainBuilder(&deferred).EnsureEntryChain(static_cast<std::int32_t>(id));
        EXPECT_EQ(deferred.GetEntries()[id].GetChain().Values(),
                  eager.GetEntries()[id].GetChain().Values())
            << id;
    }
}

TEST(EntryChains, CopyBuildsADeferredChainBeforeReading) {
    CompoundFileBuilder builder;
    const std::vector<std::uint8_t> small = Pattern(300, 6);
    builder.AddStream(u"Small", small);
    ScratchFolder folder;
    const std::filesystem::path source = folder.Write("source.xls", builder.Build());

    CDataContainerOle container(source);
    COleFileReader reader(&container);
    COleChainBuilder chains(&container, 0);
    ASSERT_EQ(reader.Open(), 0u);
    reader.ReadHeader();
    reader.ReadDifat();
    reader.ReadFat();
    chains.BuildMiniFatChain();
    reader.ReadMiniFat();
    chains.BuildDirectoryChain();
    reader.ReadDirectory();
    chains.FindRootEntry();
    chains.BuildEntryChains();
    ASSERT_FALSE(container.GetEntries()[1].HasChain());

    const std::filesystem::path out = folder / "small.bin";
    EXPECT_EQ(reader.CopyStream(1, out), 0u);
    EXPECT_EQ(ScratchFolder::Read(out), small);
}
