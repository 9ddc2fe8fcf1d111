// The benchmarks' shared statistics: the median of per-round ratios, its
// order-statistic interval, the sequential verdict and the noise figure.
#include "median_verdict.h"

#include <algorithm>
#include <cstdio>

namespace median_verdict {

const char* const METHOD =
    "the median of the per-round ratios with its 95 % confidence interval from binomial order statistics\n"
    "  (distribution-free, no resampling)";
const char* const RESULT_HEADING = "ratio   95 % interval    least  verdict";
const double TOO_NOISY = 0.5;

namespace {

const double TAIL = 0.025;  // each side of a 95 % interval

const char* const VERDICT_TEXTS[] = {"met", "NOT MET", "more rounds", "undecided", "not judged"};

// A quantile by linear interpolation between the sorted values.
double Quantile(const std::vector<double>& sorted, double p)
{
    double position = p * (sorted.size() - 1);
    size_t below = (size_t)position;
    if (below + 1 >= sorted.size())
        return sorted.back();
    return sorted[below] + (position - below) * (sorted[below + 1] - sorted[below]);
}

}  // namespace

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return Quantile(values, 0.5);
}

bool IntervalPositions(size_t n, size_t* lower, size_t* upper)
{
    // P(B <= j) for B ~ binomial(n, 1/2), summed term by term; the interval
    // from the k-th smallest to the k-th largest misses the median with
    // probability 2 P(B <= k - 1).
    double term = 1, tail = 0;
    for (size_t i = 0; i < n; ++i)
        term /= 2;
    size_t k = 0;
    for (size_t j = 0; j < n; ++j) {
        tail += term;
        if (tail > TAIL)
            break;
        k = j + 1;
        term = term * (n - j) / (j + 1);
    }
    if (k == 0)
        return false;
    *lower = k - 1;
    *upper = n - k;
    return true;
}

Verdict Rule(bool hasInterval, double low, double high, double goal, size_t rounds, size_t cap)
{
    if (hasInterval && high <= goal)
        return MET;
    if (hasInterval && low > goal)
        return NOT_MET;
    return rounds < cap ? MORE_ROUNDS : UNDECIDED;
}

Judged Judge(const std::vector<double>& ratios, double goal, size_t cap, bool judge)
{
    std::vector<double> sorted = ratios;
    std::sort(sorted.begin(), sorted.end());
    Judged judged = {sorted.size(), Median(sorted), 0, 0, sorted.empty() ? 0 : sorted.front(), false, NOT_JUDGED};
    size_t lower = 0, upper = 0;
    judged.hasInterval = IntervalPositions(sorted.size(), &lower, &upper);
    if (judged.hasInterval) {
        judged.low = sorted[lower];
        judged.high = sorted[upper];
    }
    if (judge)
        judged.verdict = Rule(judged.hasInterval, judged.low, judged.high, goal, judged.rounds, cap);
    return judged;
}

std::string Describe(const Judged& judged)
{
    char line[96];
    if (judged.hasInterval)
        std::snprintf(line, sizeof(line), "%5.2f  %5.2f to %5.2f  %6.2f  %s", judged.median, judged.low, judged.high,
                      judged.least, VERDICT_TEXTS[judged.verdict]);
    else
        std::snprintf(line, sizeof(line), "%5.2f  %-14s  %6.2f  %s", judged.median, "(too few)", judged.least,
                      VERDICT_TEXTS[judged.verdict]);
    return line;
}

std::string Describe(const Schedule& schedule)
{
    char line[96];
    std::snprintf(line, sizeof(line), "%d rounds, %d more at a time while unsure, at most %d", schedule.start,
                  schedule.step, schedule.cap);
    return line;
}

std::vector<double> MeasuredTimes(const std::vector<double>& times)
{
    std::vector<double> measured;
    for (double time : times)
        if (time >= 0)
            measured.push_back(time);
    return measured;
}

std::vector<double> PairedRatios(const std::vector<double>& a, const std::vector<double>& b)
{
    std::vector<double> ratios;
    for (size_t round = 0; round < a.size() && round < b.size(); ++round)
        if (a[round] >= 0 && b[round] > 0)
            ratios.push_back(a[round] / b[round]);
    return ratios;
}

Spread SpreadOf(std::vector<double> times)
{
    Spread spread = {0, 0, 0};
    if (times.empty())
        return spread;
    std::sort(times.begin(), times.end());
    spread.median = Quantile(times, 0.5);
    if (spread.median > 0)
        spread.interquartile = (Quantile(times, 0.75) - Quantile(times, 0.25)) / spread.median;
    if (times.front() > 0)
        spread.maxToMin = times.back() / times.front();
    return spread;
}

bool TooNoisy(const Spread& spread)
{
    return spread.interquartile > TOO_NOISY;
}

}  // namespace median_verdict
