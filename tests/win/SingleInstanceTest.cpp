#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/ProcessRole.h"
#include "platform/SingleInstance.h"

namespace {

TEST(SingleInstance, IdentityIsTheUsersSid) {
  const std::string identity = qb::CurrentUserIdentity();
  EXPECT_EQ(identity.rfind("S-1-", 0), 0u) << identity;
  const std::string name = qb::InstanceMutexName(identity);
  EXPECT_NE(name.find(identity), std::string::npos);
  EXPECT_EQ(name.rfind("Local\\", 0), 0u);
}

TEST(SingleInstance, SecondClaimSeesTheFirstUntilItIsReleased) {
  const std::string name =
      qb::InstanceMutexName(qb::CurrentUserIdentity() + ".test." + std::to_string(GetCurrentProcessId()));
  {
    qb::InstanceMutex kept;
    {
      qb::InstanceMutex first = qb::InstanceMutex::Claim(name);
      EXPECT_FALSE(first.AnotherInstanceRunning());
      EXPECT_TRUE(qb::InstanceMutex::Claim(name).AnotherInstanceRunning());
      kept = std::move(first);
    }
    // The moved-from owner is gone; the new owner still holds the name.
    EXPECT_TRUE(qb::InstanceMutex::Claim(name).AnotherInstanceRunning());
  }
  EXPECT_FALSE(qb::InstanceMutex::Claim(name).AnotherInstanceRunning());
}

}  // namespace
