#include "teacher/distribution.h"

#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

namespace zanfolio {

namespace {

constexpr int kLastAllBucket = 100;
constexpr int kLastBestBucket = 30;

using Histogram = DistributionTally::Histogram;
constexpr int kBuckets = int(std::tuple_size_v<Histogram>);

// A corrupt negative time would fall before the first bucket; it is shown with the fastest.
int bucketOf(qint64 seconds, int last) {
    return int(std::clamp<qint64>(seconds / 10, 0, last));
}

QStringList histogramLines(const QString& headingStart, const QString& headingEnd,
                           const Histogram& h) {
    const int m = *std::max_element(h.begin(), h.end());
    const int scale = m / 10 == 0 ? 1 : m / 10;
    QStringList lines{headingStart + headingEnd + QStringLiteral("（★=%1）").arg(scale)};
    for (int b = 0; b < kBuckets; ++b) {
        // The last four characters of two spaces and 10b: "  0", "  10", " 100", "1000".
        const QString from = (QStringLiteral("  ") + QString::number(10 * b)).right(4);
        const int stars = int(std::floor(double(h[size_t(b)]) / scale + 0.5));
        lines << from + u'～' + QString(stars, u'★');
    }
    return lines;
}

} // namespace

void DistributionTally::add(const ResultsRecord& r) {
    if (r.level == 0)
        return;
    LevelTally& t = levels_[r.level];
    ++t.count;
    ++t.all[size_t(bucketOf(r.time, kLastAllBucket))];
    auto [it, added] = t.bestByPupil.try_emplace(r.pupil, r.time);
    if (!added)
        it->second = std::min<qint64>(it->second, r.time);
}

DistributionLists DistributionTally::lists(int level) const {
    Histogram all{};
    Histogram best{};
    int count = 0;
    const auto at = levels_.find(level);
    if (at != levels_.end()) {
        all = at->second.all;
        count = at->second.count;
        for (const auto& [pupil, time] : at->second.bestByPupil)
            ++best[size_t(bucketOf(time, kLastBestBucket))];
    }
    const QString head = QStringLiteral("レベル%1").arg(level);
    DistributionLists out;
    out.List3 = histogramLines(head, QStringLiteral(" 今まで%1回  ").arg(count), all);
    out.List4 = histogramLines(head, QStringLiteral(" "), best);
    return out;
}

DistributionLists distributionLists(const std::vector<ResultsRecord>& records, int level) {
    DistributionTally tally;
    for (const ResultsRecord& r : records)
        tally.add(r);
    return tally.lists(level);
}

namespace {

// Every record of the file, a page at a time.
Result<DistributionTally> tallyOf(ResultsFile& file) {
    DistributionTally tally;
    Result<WindowScan> scan = file.visitSince(
        0, [&] { tally = DistributionTally{}; }, [&](const ResultsRecord& r) { tally.add(r); });
    if (!scan) {
        // A panel that cannot be filled is no reason to end the program: the editor shows
        // the message and goes on with the criteria.
        Error e = scan.error();
        e.endsProgram = false;
        return e;
    }
    return tally;
}

} // namespace

Result<DistributionLists> ShowDistribution(ResultsFile& file, int level) {
    Result<DistributionTally> tally = tallyOf(file);
    if (!tally)
        return tally.error();
    return tally->lists(level);
}

FileStamp fileStampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified()};
}

Result<DistributionLists> DistributionCache::lists(ResultsFile& file, int level) {
    const FileStamp now = fileStampOf(file.path());
    if (!stamp_ || !(*stamp_ == now)) {
        Result<DistributionTally> tally = tallyOf(file);
        ++passes_;
        if (!tally) {
            stamp_.reset();
            return tally.error();
        }
        tally_ = std::move(*tally);
        // Stamped as it was before the read: a change made while it read is read next time.
        stamp_ = now;
    }
    return tally_.lists(level);
}

} // namespace zanfolio
