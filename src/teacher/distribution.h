#pragma once
// `ShowDistribution` of the criteria editor without the form: how the results of one level
// are spread over time, as the two lists of the panel "現在までの成績度数分布".
//
// List3 "全成績": every record of the level, in buckets of ten seconds (bucket b holds 10b to
// 10b + 9 s; bucket 100 everything from 1000 s on, time-outs included). List4 "最高タイム":
// each pupil's best time on the level, the buckets capped at 30 (300 s and slower). Each list
// is a heading and 101 lines "  0～", "  10～★★", ..., "1000～"; one "★" stands for `scale`
// entries, scale = Int(M ÷ 10) with M the fullest bucket, or 1 when that is 0, and a line has
// Int(count ÷ scale + 0.5) stars.

#include "frame/result.h"
#include "results/resultsfile.h"

#include <QDateTime>
#include <QStringList>
#include <array>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

namespace zanfolio {

struct DistributionLists {
    QStringList List3; // "レベル3 今まで12回  （★=1）" and 101 lines
    QStringList List4; // "レベル3 （★=1）" and 101 lines
};

// The counts behind the lists of every level, from the records as they are read (a page at a
// time): what a level's lists need stays small whatever the file holds (a hundred and one
// buckets and each pupil's best).
class DistributionTally {
  public:
    using Histogram = std::array<int, 101>;

    // Records of level 0 count nowhere.
    void add(const ResultsRecord& record);
    DistributionLists lists(int level) const;

  private:
    struct LevelTally {
        Histogram all{};
        int count = 0;
        std::unordered_map<int, qint64> bestByPupil;
    };
    std::map<int, LevelTally> levels_;
};

// From the records in file order; records of level 0 count nowhere.
DistributionLists distributionLists(const std::vector<ResultsRecord>& records, int level);

// Reads the whole results file, a page at a time, and builds the lists of `level`.
Result<DistributionLists> ShowDistribution(ResultsFile& file, int level);

// The size and last change of a file, to tell whether it changed.
struct FileStamp {
    qint64 size = -1;
    QDateTime modified;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
FileStamp fileStampOf(const QString& path);

// The criteria editor's panel: the counts of every level read when it is first asked for, and
// again only when the results file has changed since (its size or its time of change), so that
// moving from cell to cell reads nothing.
class DistributionCache {
  public:
    Result<DistributionLists> lists(ResultsFile& file, int level);
    int passes() const { return passes_; } // whole-file reads so far

  private:
    std::optional<FileStamp> stamp_;
    DistributionTally tally_;
    int passes_ = 0;
};

} // namespace zanfolio
