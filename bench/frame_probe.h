// Watches the events a program delivers, for gonioma_frame_bench: when an
// exercise window is exposed, when its drawing box first shows a sweep line
// and when that paint reaches the screen, and what the repaints cost.
#pragma once

#include "exercise/ExerciseForm.h"
#include "exercise/FanDrawing.h"
#include "platform/widgets/Form.h"
#include "platform/widgets/PictureBox.h"

#include <QApplication>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {

using exercise::ExerciseForm;
using platform::Form;
using platform::PictureBox;

inline double nowMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A drawing box of an exercise window, or nullptr.
inline PictureBox* exerciseBox(QObject* object)
{
    auto* box = qobject_cast<PictureBox*>(object);
    if (!box)
        return nullptr;
    auto* form = qobject_cast<ExerciseForm*>(box->window());
    return form && form->parts().drawingBoxes.contains(box) ? box : nullptr;
}

inline bool showsSweepLine(const PictureBox* box)
{
    return std::any_of(box->lines().begin(), box->lines().end(),
                       [](const platform::DrawnLine& l) { return l.colorIndex == exercise::kFillColor; });
}

inline bool isExerciseWindow(QObject* object)
{
    auto* window = qobject_cast<QWindow*>(object);
    if (!window)
        return false;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowHandle() == window)
            return qobject_cast<ExerciseForm*>(widget) != nullptr;
    }
    return false;
}

inline bool isExposed(const QWidget* widget)
{
    return widget && widget->windowHandle() && widget->windowHandle()->isExposed();
}

inline ExerciseForm* currentExercise()
{
    for (Form* form : Form::loadedForms()) {
        if (auto* e = qobject_cast<ExerciseForm*>(form))
            return e;
    }
    return nullptr;
}

// What the event delivery saw while a measure was running.
struct Probe {
    bool watching = false;      // a click on the menu is being followed
    double exposedAt = -1;      // an exercise window received its expose
    double sweepDrawnAt = -1;   // its drawing box holds a sweep line (line() was called)
    double sweepPaintedAt = -1; // its drawing box finished a paint showing a sweep line
    double sweepShownAt = -1;   // the repaint holding that paint was flushed to the screen
    int boxPaints = 0;          // paints of an exercise's drawing box
    double repaintMs = 0;       // time spent in repaints (outermost update requests and exposes)
    int repaintsToSweep = 0;    // repaints from the click to the sweep line on screen, that one included
    double repaintMsToSweep = 0;
    double widgetPaintMsToSweep = 0; // the widgets' own paint events in those repaints
};

// Follows every event the program delivers, the way the program runs it.
class BenchApplication : public QApplication {
public:
    using QApplication::QApplication;

    Probe probe;

    bool notify(QObject* receiver, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        const bool repaint = type == QEvent::UpdateRequest || type == QEvent::Expose;
        const bool outermostRepaint = repaint && std::none_of(m_stack.begin(), m_stack.end(), [](const Frame& f) {
                                          return f.repaint;
                                      });
        const double start = nowMs();
        const bool sweepShownBefore = probe.sweepShownAt >= 0;
        if (type == QEvent::Expose && probe.watching && probe.exposedAt < 0 && isExerciseWindow(receiver))
            probe.exposedAt = start;
        if (probe.watching && probe.sweepDrawnAt < 0) {
            // The sweep lets the event loop run right after each line.
            const ExerciseForm* form = currentExercise();
            if (form && !form->parts().drawingBoxes.isEmpty() && showsSweepLine(form->parts().drawingBoxes.first()))
                probe.sweepDrawnAt = start;
        }
        m_stack.push_back({repaint, false});
        const bool result = QApplication::notify(receiver, event);
        const double end = nowMs();
        const Frame frame = m_stack.back();
        m_stack.pop_back();

        if (type == QEvent::Paint && probe.watching && !sweepShownBefore)
            probe.widgetPaintMsToSweep += end - start;
        if (type == QEvent::Paint) {
            if (PictureBox* box = exerciseBox(receiver)) {
                ++probe.boxPaints;
                if (probe.watching && probe.sweepPaintedAt < 0 && showsSweepLine(box)) {
                    probe.sweepPaintedAt = end;
                    // The paint reaches the screen when its repaint has flushed.
                    for (auto f = m_stack.rbegin(); f != m_stack.rend(); ++f) {
                        if (f->repaint) {
                            f->holdsSweepPaint = true;
                            break;
                        }
                    }
                }
            }
        }
        if (frame.holdsSweepPaint && probe.sweepShownAt < 0)
            probe.sweepShownAt = end;
        if (outermostRepaint) {
            probe.repaintMs += end - start;
            if (probe.watching && !sweepShownBefore) {
                ++probe.repaintsToSweep;
                probe.repaintMsToSweep += end - start;
            }
        }
        return result;
    }

private:
    struct Frame {
        bool repaint;
        bool holdsSweepPaint;
    };
    std::vector<Frame> m_stack;
};

} // namespace bench
