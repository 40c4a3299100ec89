#include <gtest/gtest.h>

#include "TestClasses.h"

namespace tallow::test {
namespace {

TRecorder* Named(TComponent* owner, const std::string& name) {
    auto* c = new TRecorder(owner);
    c->SetName(name);
    return c;
}

TEST(ComponentTest, OwnerListsInCreationOrderAndDestroysLastFirst) {
    Journal().clear();
    {
        TRecorder form(nullptr);
        form.SetName("frmMain");
        TRecorder* a = Named(&form, "btnA");
        Named(&form, "btnB");
        TRecorder* c = Named(&form, "btnC");
        Named(a, "inner");
        ASSERT_EQ(form.ComponentCount(), 3);
        EXPECT_EQ(form.Components(0), a);
        EXPECT_EQ(form.Components(2), c);
        EXPECT_EQ(form.Components(3), nullptr);
        EXPECT_EQ(c->Owner(), &form);
        EXPECT_EQ(c->ComponentIndex(), 2);
        EXPECT_EQ(form.FindComponent("BTNB"), form.Components(1));
        EXPECT_EQ(form.FindComponent("inner"), nullptr) << "only directly owned components";
        EXPECT_EQ(form.FindComponent(""), nullptr);
    }
    // Each destructor body runs before its base destroys the components it owns.
    EXPECT_EQ(Journal(), (std::vector<std::string>{"destroy frmMain", "destroy btnC", "destroy btnB", "destroy btnA",
                                                   "destroy inner"}));
}

TEST(ComponentTest, DeletedComponentLeavesItsOwnersList) {
    TRecorder form(nullptr);
    Named(&form, "a");
    TRecorder* b = Named(&form, "b");
    Named(&form, "c");
    delete b;
    ASSERT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(form.Components(1)->Name(), "c");
    EXPECT_EQ(form.FindComponent("b"), nullptr);
}

class TWatcher : public TComponent {
    TALLOW_CLASS(TWatcher, TComponent)
    explicit TWatcher(TComponent* owner) : TComponent(owner) {}
    TComponent* watched = nullptr;
    std::vector<std::string> events;

  protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        events.push_back(operation == TOperation::opInsert ? "insert" : "remove " + component->Name());
        if (operation == TOperation::opRemove && component == watched)
            watched = nullptr;
    }
};

TEST(ComponentTest, FreeNotificationDropsReferencesToDestroyedComponents) {
    TWatcher watcher(nullptr);
    auto* skin = new TFakeSkin(nullptr);
    skin->SetName("skin");
    watcher.watched = skin;
    watcher.FreeNotification(skin);
    delete skin;
    EXPECT_EQ(watcher.watched, nullptr);

    auto* other = new TFakeSkin(nullptr);
    watcher.FreeNotification(other);
    watcher.RemoveFreeNotification(other);
    watcher.events.clear();
    delete other;
    EXPECT_TRUE(watcher.events.empty());

    delete Named(&watcher, "child");
    EXPECT_EQ(watcher.events, (std::vector<std::string>{"insert", "remove child"}));
}

TEST(ComponentTest, StateFlagsAndLoadedClearsLoading) {
    TRecorder c(nullptr);
    EXPECT_EQ(c.ComponentState(), 0u);
    c.SetLoading(true);
    c.SetDesigning(true);
    EXPECT_EQ(c.ComponentState(), csLoading | csDesigning);
    c.Loaded();
    EXPECT_FALSE(c.IsLoading());
    EXPECT_TRUE(c.IsDesigning());
}

}  // namespace
}  // namespace tallow::test
