#include "tests/common/startup_staging_suite.h"

#include <set>

#include "shared/staged_list.h"

namespace {

using shared::ApplyMode;
using shared::EntryRow;
using shared::EntryStatus;
using shared::StagedAction;

using Texts = std::vector<std::string>;

constexpr char kStoreName[] = "StagedListTest.pro";

EntryRow Row(const std::string& name, const std::string& status) { return {name, status, "", "", "", "{" + name + "}"}; }

// Takes entries out and puts them back in a set; says what it is asked.
class RecordingPolicy final : public shared::StagingPolicy {
 public:
  explicit RecordingPolicy(shared::FileSystemPort& files) : files_(files) {}

  StagedAction ActionFor(EntryStatus now, const EntryStatus*, ApplyMode) const override {
    if (now == EntryStatus::kEnabled) return StagedAction::kPutBack;
    if (now == EntryStatus::kDisabled) return StagedAction::kTakeOut;
    return now == EntryStatus::kRemove ? StagedAction::kRemove : StagedAction::kSkip;
  }
  bool SameEntry(const EntryRow& row, const EntryRow& record) const override { return row[5] == record[5]; }
  std::string Refusal(const EntryRow& row, StagedAction) const override { return row[0] == "Refused" ? "refused" : ""; }
  bool TakeOut(int, const EntryRow& row, bool forGood, ApplyMode) override {
    // What the store holds at the moment the entry goes.
    storeWhenTaken.push_back(files_.ReadFile(storePath).value_or("<no store>"));
    if (!failing.count(row[0])) log.push_back((forGood ? "remove " : "out ") + row[0]);
    return !failing.count(row[0]);
  }
  bool PutBack(int, const EntryRow& row, ApplyMode) override { log.push_back("back " + row[0]); return true; }
  void Tell(const std::string& text) override { log.push_back("tell " + text); }
  void StoreNotSaved(const std::string& path, bool nothingChanged, const shared::Status&) override {
    log.push_back(std::string(nothingChanged ? "stopped: " : "not saved: ") + path);
  }

  std::string storePath;
  std::set<std::string> failing;
  Texts log, storeWhenTaken;

 private:
  shared::FileSystemPort& files_;
};

// Plugwarden's and Bootwarden's rules.
constexpr shared::StagingRules kObjectRules{.errorTogglesLikeEnabled = true, .resetToLoaded = true};
constexpr shared::StagingRules kTaskRules{
    .removeDisabledOnRemoveRow = true, .storeFromRows = true, .revertFailedRows = true, .applyDropsRemovedRows = true};

struct Staged {
  Staged(testing_support::StartupMachine& machine, shared::StagingRules rules, std::vector<EntryRow> rows)
      : policy(*machine.files), staged(list, policy, rules, *machine.files, *machine.windowsFolder, kStoreName) {
    policy.storePath = staged.StorePath();
    shared::RemoveFileIfPresent(*machine.files, policy.storePath).IgnoreError();
    for (const auto& row : rows) shared::AppendRow(list, row);
    staged.SetCaptions("Disable", "Enable");
    staged.Adopt();
  }
  void Toggle(int position) { staged.SelectRow(position); staged.DisableClicked(); }
  void Remove(int position) { staged.SelectRow(position); staged.RemoveClicked(); }
  std::string Status(int position) const { return list.Text(position, shared::kStatusField); }
  Texts Stored(shared::FileSystemPort& files) const {
    Texts names;
    for (const auto& row : shared::ReadEntryFile(files, staged.StorePath()).value_or({})) names.push_back(row[0]);
    return names;
  }

  shared::ListModel list;
  RecordingPolicy policy;
  shared::StagedList staged;
};

TEST_P(StagedListSuite, ButtonsStageByEachProgramsRules) {
  for (const auto& rules : {kObjectRules, kTaskRules}) {
    Staged s(machine_, rules, {Row("A", "Enabled"), Row("B", "ERROR"), Row("C", "Remove")});
    s.staged.DisableClicked();
    s.staged.RemoveClicked();
    EXPECT_EQ(s.Status(1), "Enabled") << "no selection: nothing";

    s.staged.SelectRow(2);
    EXPECT_EQ(s.staged.DisableButtonCaption(), rules.errorTogglesLikeEnabled ? "Disable" : "Enable");
    s.staged.DisableClicked();
    EXPECT_EQ(s.Status(2), rules.errorTogglesLikeEnabled ? "Disabled" : "Enabled");
    s.staged.SelectRow(3);
    EXPECT_EQ(s.staged.RemoveEnabled(), !rules.removeDisabledOnRemoveRow);
    EXPECT_EQ(s.staged.DisableButtonCaption(), "Enable");

    s.Remove(1);
    EXPECT_EQ(s.Status(1), "Remove");
    EXPECT_FALSE(s.staged.RemoveEnabled());
    s.staged.DisableClicked();
    EXPECT_EQ(s.Status(1), "Enabled") << "Remove -> Enabled";
    EXPECT_TRUE(s.staged.RemoveEnabled());
    EXPECT_EQ(s.staged.DisableButtonCaption(), "Disable");
  }
}

TEST_P(StagedListSuite, NothingGoesUntilTheStoreKnowsAboutItAndAStoreNotReadIsNeverRewritten) {
  for (const auto& rules : {kObjectRules, kTaskRules}) {
    Staged s(machine_, rules, {Row("A", "Enabled"), Row("B", "Enabled")});
    const std::string stopped = "stopped: " + s.staged.StorePath();
    s.Toggle(1);
    s.staged.Apply(ApplyMode::kApply);
    ASSERT_EQ(s.policy.storeWhenTaken.size(), 1u);
    EXPECT_NE(s.policy.storeWhenTaken[0].find("A\r\nDisabled\r\n"), std::string::npos);
    EXPECT_EQ(s.Stored(*machine_.files), Texts{"A"});
    s.staged.Apply(ApplyMode::kApply);
    EXPECT_EQ(s.policy.log, Texts{"out A"}) << "applied once";

    // A store that cannot be written (a folder stands in its way) stops the apply first.
    s.Toggle(1);
    s.staged.Apply(ApplyMode::kApply);
    ASSERT_TRUE(shared::RemoveFileIfPresent(*machine_.files, s.staged.StorePath()).ok());
    ASSERT_TRUE(machine_.files->CreateFolder(s.staged.StorePath()).ok());
    s.policy.log.clear();
    s.Toggle(2);
    EXPECT_FALSE(s.staged.Apply(ApplyMode::kApply));
    machine_.removeEmptyFolder(s.staged.StorePath());
    EXPECT_EQ(s.policy.log, Texts{stopped}) << "B stays";
    EXPECT_EQ(s.staged.Records()[1][1], "Enabled");

    // So does one held open without sharing by another program at start, even once let go;
    // and it is never rewritten.
    ASSERT_TRUE(shared::WriteEntryFile(*machine_.files, {Row("Kept", "Disabled")}, s.staged.StorePath()).ok());
    const std::string bytes = machine_.files->ReadFile(s.staged.StorePath()).value_or("");
    std::function<void()> letGo = machine_.lockFile(s.staged.StorePath());
    EXPECT_FALSE(s.staged.LoadStore().ok());
    EXPECT_FALSE(s.staged.Apply(ApplyMode::kApply));
    letGo();
    EXPECT_FALSE(s.staged.Apply(ApplyMode::kApply));
    EXPECT_TRUE(s.staged.SaveStore().ok()) << "exit";
    EXPECT_EQ(s.policy.log, (Texts{stopped, stopped, stopped})) << "B still stays";
    EXPECT_EQ(machine_.files->ReadFile(s.staged.StorePath()).value_or(""), bytes);
  }
}

TEST_P(StagedListSuite, FailedStepsAndRemovedRowsFollowEachProgramsRules) {
  for (const auto& rules : {kObjectRules, kTaskRules}) {
    Staged s(machine_, rules, {Row("A", "Enabled"), Row("B", "Enabled"), Row("Refused", "Enabled")});
    s.policy.failing = {"A"};
    s.Toggle(1);
    s.Toggle(3);
    s.Remove(2);
    s.staged.Apply(ApplyMode::kApply);
    if (!rules.applyDropsRemovedRows) s.staged.DropRemovedRows();
    EXPECT_EQ(s.policy.log, (Texts{"tell refused", "remove B"}));
    ASSERT_EQ(s.list.Count(), 2) << "the removed row leaves";
    EXPECT_EQ(s.Status(1), rules.revertFailedRows ? "Enabled" : "Disabled");
    EXPECT_EQ(s.Status(2), rules.revertFailedRows ? "Enabled" : "Disabled");
    EXPECT_EQ(s.staged.Records()[0][1], "Enabled") << "a failed change keeps its record";
    EXPECT_TRUE(s.Stored(*machine_.files).empty());
    // Reset All: the load-time rows, or the applied ones without the removed entry.
    s.staged.ResetAllClicked();
    EXPECT_EQ(s.list.Count(), rules.resetToLoaded ? 3 : 2);
  }
}

TEST_P(StagedListSuite, ProfileRowsLinkToTheirOwnRecordsOthersGetOneWhenApplied) {
  Staged s(machine_, kObjectRules, {Row("A", "Enabled"), Row("B", "Enabled"), Row("B", "Enabled")});
  s.staged.ReplaceRows({Row("B", "Disabled"), Row("A", "Enabled"), Row("B", "Enabled"), Row("New", "Disabled")});
  s.staged.Apply(ApplyMode::kApply);
  EXPECT_EQ(s.policy.log, (Texts{"out B", "out New"})) << "unchanged rows are no step";
  EXPECT_EQ(s.staged.Records().size(), 4u);
  s.policy.log.clear();
  s.staged.Apply(ApplyMode::kApply);
  s.staged.Apply(ApplyMode::kAtStart);
  EXPECT_EQ(s.policy.log, (Texts{"out B", "back A", "back B", "out New"})) << "a start-up profile carries out each row";
  EXPECT_EQ(s.Stored(*machine_.files), (Texts{"B", "New"}));
}

TEST_P(StagedListSuite, TheStoreHoldsWhatIsDisabledAndGoesWhenNothingIs) {
  // Bootwarden's store follows the rows, and an empty name cannot end it early.
  Staged tasks(machine_, kTaskRules, {Row("", "Disabled"), Row("A", "Disabled"), Row("B", "Enabled")});
  tasks.staged.ReplaceRows({Row("B", "Disabled")});
  ASSERT_TRUE(tasks.staged.SaveStore().ok());
  EXPECT_EQ(tasks.Stored(*machine_.files), (Texts{"B", "", "A"})) << "rows, then disabled records no row stands for";
  // An applied "Disabled" entry staged "Enabled" or "Remove" is still out of its location.
  tasks.staged.ResetAllClicked();
  tasks.Toggle(2);
  tasks.Remove(1);
  ASSERT_TRUE(tasks.staged.SaveStore().ok());
  EXPECT_EQ(tasks.Stored(*machine_.files), (Texts{"", "A"}));
  // Applied, the removal drops its record with the row, the enabling its place in the store.
  tasks.staged.Apply(ApplyMode::kApply);
  EXPECT_FALSE(shared::FileExists(*machine_.files, tasks.staged.StorePath()));
  EXPECT_TRUE(tasks.staged.SaveStore().ok()) << "a missing store is fine";

  // Plugwarden's follows the records: a staged row counts once applied; a removed one is gone.
  Staged objects(machine_, kObjectRules, {Row("A", "Disabled"), Row("B", "Enabled")});
  objects.Toggle(2);
  ASSERT_TRUE(objects.staged.SaveStore().ok());
  EXPECT_EQ(objects.Stored(*machine_.files), Texts{"A"});
  objects.Remove(1);
  objects.staged.Apply(ApplyMode::kApply);
  EXPECT_EQ(objects.Stored(*machine_.files), Texts{"B"});
  shared::RemoveFileIfPresent(*machine_.files, objects.staged.StorePath()).IgnoreError();
}

}  // namespace
