#include "exchange/DropEffects.h"

#include <gtest/gtest.h>

namespace qx::dropeffect {
namespace {

TEST(DropEffects, KeysChooseLinkCopyOrMove) {
    EXPECT_EQ(fromKeys(true, true), Link);
    EXPECT_EQ(fromKeys(false, true), Copy);
    EXPECT_EQ(fromKeys(true, false), Move);
    EXPECT_EQ(fromKeys(false, false), Move);
}

TEST(DropEffects, FittingFallsBackInTheDesignedOrder) {
    EXPECT_EQ(fit(Copy, RefTreeAllowed), Copy);
    EXPECT_EQ(fit(Copy, Move | Link), Move);
    EXPECT_EQ(fit(Copy, Link), Link);
    EXPECT_EQ(fit(Move, Copy | Link), Copy);
    EXPECT_EQ(fit(Move, Link), Link);
    EXPECT_EQ(fit(Move, None), None);
    EXPECT_EQ(fit(Link, Copy | Move), None);
}

} // namespace
} // namespace qx::dropeffect
