#include "PlanKeeper.h"

#include <journal/JournalText.h>
#include <toolkit/Toolkit.h>

namespace skillwright::app {

PlanKeeper::PlanKeeper(document::PlanDocument& document, toolkit::Toolkit& toolkit)
    : m_document(document), m_journal(journal::JournalSetup{toolkit.stateFolder()}),
      m_quietTimer(toolkit.createTimer()) {
    m_quietTimer->setCallback([this] { quietMoment(); });
    m_document.addListener(*this);
}

PlanKeeper::~PlanKeeper() {
    m_document.removeListener(*this);
}

void PlanKeeper::documentChanged(const document::PlanDocument& /*document*/,
                                 const document::DocumentChange& change) {
    using Kind = document::DocumentChange::Kind;
    if (m_replacing) {
        return; // the journal already holds the plan being continued
    }
    switch (change.kind) {
    case Kind::Closed:
        planLeft();
        return;
    case Kind::Started:
    case Kind::Opened:
        planLeft(); // whatever was on screen before
        break;
    case Kind::Edited:
        if (change.edit == document::EditKind::Reset) {
            planLeft(); // the plan as it stood before RESET is kept to continue
        }
        break;
    case Kind::Undone:
    case Kind::Redone:
    case Kind::Saved:
        break;
    }
    write();
}

void PlanKeeper::write() {
    if (!m_document.isOpen()) {
        return;
    }
    const model::Plan plan = m_document.plan();
    if (m_document.isModified()) {
        m_journal.planChanged(plan);
    } else {
        m_journal.planSaved(plan);
    }
    m_quietTimer->start(keeps() ? kQuietMilliseconds : kRetryMilliseconds);
    tellKeeping();
}

void PlanKeeper::quietMoment() {
    if (keeps()) {
        m_journal.makeDurable();
    } else {
        write(); // the whole plan, once writing works again
    }
}

bool PlanKeeper::keepsNow() {
    if (!keeps()) {
        write();
    }
    return keeps();
}

void PlanKeeper::tellKeeping() {
    if (m_keeps != keeps()) {
        m_keeps = keeps();
        if (m_keepingChanged) {
            m_keepingChanged();
        }
    }
}

std::string PlanKeeper::notKeptText() const {
    const auto& failure = m_journal.failure();
    return failure ? "Not being kept: the journal cannot be written (" + failure->description + ")"
                   : std::string();
}

void PlanKeeper::planLeft() {
    m_quietTimer->stop();
    m_journal.planLeft();
    tellKeeping();
    if (m_listChanged) {
        m_listChanged();
    }
}

std::vector<screens::ContinueChoice> PlanKeeper::offers() {
    std::vector<screens::ContinueChoice> offers;
    const journal::Seconds now = journal::systemClock();
    for (const journal::RecoverablePlan& plan : m_journal.recoverablePlans()) {
        offers.push_back({plan.number, plan.newerVersion
                                           ? std::string(kNewerVersion)
                                           : journal::continueText(plan.classId, plan.level, plan.saved,
                                                                   plan.changedAt, now)});
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
    }
    if (m_listChanged) {
        m_listChanged();
    }
    return plan.has_value();
}

} // namespace skillwright::app
