#pragma once
// A page cut into the steps a learner reveals one at a time: the statement (everything
// drawn before the "[解 …]" heading) and then the solution's rows, each row with what the
// script drew later inside its band (a numerator placed afterwards, a tag, a note). A
// step never splits a formula.
#include "draw_op.h"

#include <vector>

class SolutionSteps {
public:
    explicit SolutionSteps(const DisplayList& page);

    // How many steps the solution has; none on a page without a solution heading.
    int count() const { return count_; }
    // The step an operation is revealed with, 1 to count(); 0 for the statement's.
    int stepOf(int op) const { return stepOfOp_[size_t(op)]; }
    // Whether the operation shows while `revealed` steps are shown.
    bool shows(int op, int revealed) const { return stepOf(op) <= revealed; }

private:
    std::vector<int> stepOfOp_;
    int count_ = 0;
};
