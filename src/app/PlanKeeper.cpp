#include "PlanKeeper.h"

#include <journal/JournalText.h>
#include <model/Build.h>
#include <toolkit/Toolkit.h>

namespace skillwright::app {

PlanKeeper::PlanKeeper(model::Build& build, toolkit::Toolkit& toolkit)
    : m_build(build), m_journal(journal::JournalSetup{toolkit.stateFolder()}),
      m_quietTimer(toolkit.createTimer()) {
    m_quietTimer->setCallback([this] { m_journal.makeDurable(); });
    m_build.addListener(*this);
}

PlanKeeper::~PlanKeeper() {
    m_build.removeListener(*this);
}

void PlanKeeper::buildChanged(const model::BuildChange& change) {
    using Kind = model::BuildChange::Kind;
    // A right click or a refused point leaves the plan as it was.
    if (change.kind != Kind::PointRefused) {
        record();
    }
}

PlanKeeper::Batch::~Batch() {
    if (--m_keeper.m_batches == 0 && m_keeper.m_pending) {
        m_keeper.write();
    }
}

void PlanKeeper::record() {
    if (m_batches > 0) {
        m_pending = true;
    } else {
        write();
    }
}

void PlanKeeper::write() {
    m_pending = false;
    const model::Character* screen = m_build.character();
    if (m_replacing || screen == nullptr) {
        return;
    }
    m_journal.planChanged(model::Plan{screen->classId(), screen->history(), m_name});
    m_quietTimer->start(kQuietMilliseconds);
}

// The build reports a reset once its points are gone: the journal still
// holds the plan as it stood before.
void PlanKeeper::buildReset() {
    leave();
}

void PlanKeeper::characterEnded() {
    leave();
    m_name.clear();
}

void PlanKeeper::leave() {
    if (m_replacing) {
        return;
    }
    // The points of a batch not journalled yet are gone with the screen or
    // the reset; a batch holds a replay whose source keeps them.
    m_pending = false;
    planLeft();
}

void PlanKeeper::planLeft() {
    m_quietTimer->stop();
    m_journal.planLeft();
    if (m_listChanged) {
        m_listChanged();
    }
}

void PlanKeeper::planSaved(const std::string& name) {
    const model::Character* screen = m_build.character();
    if (m_replacing || screen == nullptr) {
        return;
    }
    m_name = name;
    m_pending = false;
    m_journal.planSaved(model::Plan{screen->classId(), screen->history(), m_name});
    m_quietTimer->start(kQuietMilliseconds);
}

std::vector<screens::ContinueChoice> PlanKeeper::offers() {
    std::vector<screens::ContinueChoice> offers;
    const journal::Seconds now = journal::systemClock();
    for (const journal::RecoverablePlan& plan : m_journal.recoverablePlans()) {
        offers.push_back(
            {plan.number, journal::continueText(plan.classId, plan.level, plan.saved, plan.changedAt, now)});
    }
    return offers;
}

bool PlanKeeper::continuePlan(std::uint64_t number,
                              const std::function<void(const model::Plan&)>& putOnScreen) {
    m_quietTimer->stop();
    // The plan on screen goes into the list as the chosen one comes out.
    const std::optional<model::Plan> plan = m_journal.takeBack(number);
    if (plan) {
        m_replacing = true;
        putOnScreen(*plan);
        m_replacing = false;
        m_name = plan->name;
    }
    if (m_listChanged) {
        m_listChanged();
    }
    return plan.has_value();
}

} // namespace skillwright::app
