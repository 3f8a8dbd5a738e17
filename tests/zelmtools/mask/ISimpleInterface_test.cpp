#include <zelmtools/mask/ISimpleInterface.h>

#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>

namespace {

static_assert(std::is_abstract_v<ISimpleInterface>);
static_assert(!std::is_destructible_v<ISimpleInterface>);  // a holder cannot delete through it
static_assert(sizeof(ISimpleInterface) == sizeof(void*));  // only the table of operations

class Counted final : public ISimpleInterface {
public:
    explicit Counted(int& released) : m_released(released) {}
    int QueryInterface(const char* name, void** result) override
    {
        if (std::strcmp(name, "Counted") == 0) {
            *result = this;
            return 1;
        }
        return ISimpleInterface::QueryInterface(name, result);
    }
    void Release() override { ++m_released; }

private:
    int& m_released;
};

TEST(ISimpleInterface, BaseKnowsNoInterfaceAndClearsTheResult)
{
    int released = 0;
    Counted object(released);
    ISimpleInterface& base = object;
    void* result = &object;
    EXPECT_EQ(base.ISimpleInterface::QueryInterface("anything", &result), 0);
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(base.QueryInterface("Counted", &result), 1);
    EXPECT_EQ(result, &object);
    EXPECT_EQ(base.ISimpleInterface::QueryInterface("Counted", nullptr), 0);
    base.Release();
    EXPECT_EQ(released, 1);
}

}  // namespace
