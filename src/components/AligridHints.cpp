#include "components/AligridHints.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

template <typename Event>
using Chain = std::vector<std::pair<const void*, Event>>;

template <typename Event>
void RemoveOwner(Chain<Event>& chain, const void* owner) {
    std::erase_if(chain, [owner](const auto& entry) { return entry.first == owner; });
}

class HintDispatcher {
public:
    HintDispatcher() {
        // The application's handler from before the first grid stays in the chain, first.
        if (Application().OnShowHint) hints_.emplace_back(nullptr, Application().OnShowHint);
        if (Application().OnIdle) idles_.emplace_back(nullptr, Application().OnIdle);
    }
    ~HintDispatcher() {
        Application().OnShowHint = hints_.empty() ? TShowHintEvent() : hints_.front().second;
        Application().OnIdle = idles_.empty() ? TIdleEvent() : idles_.front().second;
    }

    void AddHint(const void* owner, TShowHintEvent handler) {
        hints_.emplace_back(owner, std::move(handler));
        Application().OnShowHint = [this](std::string& hintStr, bool& canShow, THintInfo& info) {
            // A handler may leave the chain while it runs: walk a copy.
            const Chain<TShowHintEvent> handlers = hints_;
            for (auto it = handlers.rbegin(); it != handlers.rend(); ++it) it->second(hintStr, canShow, info);
        };
    }

    void AddIdle(const void* owner, TIdleEvent handler) {
        idles_.emplace_back(owner, std::move(handler));
        Application().OnIdle = [this](TObject* sender, bool& done) {
            const Chain<TIdleEvent> handlers = idles_;
            bool all = true;
            for (auto it = handlers.rbegin(); it != handlers.rend(); ++it) {
                bool handlerDone = true;
                it->second(sender, handlerDone);
                all = all && handlerDone;
            }
            done = all;
        };
    }

    void RemoveHint(const void* owner) { RemoveOwner(hints_, owner); }
    void RemoveIdle(const void* owner) { RemoveOwner(idles_, owner); }

private:
    Chain<TShowHintEvent> hints_;
    Chain<TIdleEvent> idles_;
};

HintDispatcher& Dispatcher() {
    Application();  // made first, so it outlives the dispatcher
    static HintDispatcher dispatcher;
    return dispatcher;
}

}  // namespace

void AddShowHintProc(const void* owner, TShowHintEvent handler) { Dispatcher().AddHint(owner, std::move(handler)); }
void RemoveShowHintProc(const void* owner) { Dispatcher().RemoveHint(owner); }
void AddIdleProc(const void* owner, TIdleEvent handler) { Dispatcher().AddIdle(owner, std::move(handler)); }
void RemoveIdleProc(const void* owner) { Dispatcher().RemoveIdle(owner); }
