// The benchmarks' verdicts on a noisy host: the median of per-round ratios
// (a program against its baseline started back to back in one round) with
// its distribution-free 95 % confidence interval from binomial order
// statistics, a verdict against "at most GOAL" that asks for more rounds
// while the interval straddles the goal, and the spread of a yardstick's
// times that says when a host is too noisy for any verdict.
#ifndef TESTBED_MEDIAN_VERDICT_H
#define TESTBED_MEDIAN_VERDICT_H

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace median_verdict {

// How the benchmarks print their method, once per table.
extern const char* const METHOD;

double Median(std::vector<double> values);

// The ends of the 95 % interval of the median of n values, as 0-based
// positions in the sorted values: the widest k-th smallest and k-th largest
// whose binomial(n, 1/2) tail stays within 2.5 % on each side. False below
// six values, where no pair of order statistics covers 95 %.
bool IntervalPositions(size_t n, size_t* lower, size_t* upper);

enum Verdict { MET, NOT_MET, MORE_ROUNDS, UNDECIDED, NOT_JUDGED };

// Met when the interval lies within the goal, not met when it lies above
// it; otherwise more rounds, until `cap` rounds leave it undecided.
Verdict Rule(bool hasInterval, double low, double high, double goal, size_t rounds, size_t cap);

struct Judged {
    size_t rounds;
    double median, low, high, least;
    bool hasInterval;
    Verdict verdict;
};

// Ratios taken round by round, judged against at most `goal`; judge false
// (a host too noisy) gives NOT_JUDGED.
Judged Judge(const std::vector<double>& ratios, double goal, size_t cap, bool judge = true);

// When more rounds are measured: `start` first, then `step` more at a time
// while a verdict is unsure, up to `cap`.
struct Schedule {
    int start, step, cap;
};
// "15 rounds, 10 more at a time while unsure, at most 45"
std::string Describe(const Schedule& schedule);

// Measures rounds by the schedule until no verdict asks for more:
// measure(n) brings the measured rounds up to n; judge(cap) judges them
// with that cap (0 once the schedule's cap is reached, so that whatever is
// unsure is then undecided) and says whether any verdict is MORE_ROUNDS.
template <typename Measure, typename JudgeAll>
void UntilSure(const Schedule& schedule, Measure measure, JudgeAll judge)
{
    for (int rounds = schedule.start;; rounds = std::min(rounds + schedule.step, schedule.cap)) {
        measure(rounds);
        if (!judge(rounds < schedule.cap ? (size_t)schedule.cap : 0))
            return;
    }
}

// "1.01  0.97 to 1.05  0.91  met" in the columns of RESULT_HEADING.
extern const char* const RESULT_HEADING;
std::string Describe(const Judged& judged);

// Of times kept per round, those measured (below 0: not measured).
std::vector<double> MeasuredTimes(const std::vector<double>& times);
// Per round, a / b where both were measured.
std::vector<double> PairedRatios(const std::vector<double>& a, const std::vector<double>& b);

// A yardstick timed alone: its median, interquartile range relative to the
// median, and largest to smallest.
struct Spread {
    double median, interquartile, maxToMin;
};
Spread SpreadOf(std::vector<double> times);
// No verdict can be trusted when the middle half of the yardstick's times
// spans more than this share of its median.
extern const double TOO_NOISY;
bool TooNoisy(const Spread& spread);

}  // namespace median_verdict

#endif
