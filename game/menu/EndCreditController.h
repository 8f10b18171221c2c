#pragma once

#include "engine/base/WeakRef.h"
#include "game/app/AbstractController.h"

namespace vastomer {

class EndCreditScene;

// CANCEL during the end credits goes straight to the title (without the closing caption).
class EndCreditController : public AbstractController {
public:
    static EndCreditController* create();
    void setScene(NLayer* scene) override;
    void stop() override;
    void update(float dt) override;

protected:
    EndCreditController() = default;

private:
    engine::WeakRef<EndCreditScene> scene_;
};

}  // namespace vastomer
