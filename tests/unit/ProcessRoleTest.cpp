#include <gtest/gtest.h>

#include <string>

#include "app/ProcessRole.h"

namespace {

using qb::ProcessRole;

TEST(CommandLineTail, DropsTheProgramNameAndTheBlanksAroundTheArguments) {
  const struct {
    const char* line;
    const char* tail;
  } cases[] = {
      {"Quorbell.exe", ""},
      {"Quorbell.exe Diet", "Diet"},
      {"Quorbell.exe   Diet  ", "Diet"},
      {"Quorbell.exe\tMenu", "Menu"},
      {"\"C:\\Program Files\\Quorbell\\Quorbell.exe\" Diet", "Diet"},
      {"\"C:\\Program Files\\Quorbell\\Quorbell.exe\"", ""},
      // The quoted name ends at its closing quote even without a blank after it.
      {"\"C:\\Q\\Quorbell.exe\"Diet", "Diet"},
      {"  Quorbell.exe Diet", "Diet"},
      {"C:\\Q\\Quorbell.exe a b  c", "a b  c"},
      {"\"unterminated Diet", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::CommandLineTail(c.line), c.tail) << c.line;
}

TEST(DecideProcessRole, FirstInstanceIgnoresItsArguments) {
  for (const char* args : {"", "Diet", "Menu", "diet", "anything"})
    EXPECT_EQ(qb::DecideProcessRole(false, args), ProcessRole::Resident) << args;
}

TEST(DecideProcessRole, SecondInstanceActsOnExactHelperWords) {
  const struct {
    const char* args;
    ProcessRole role;
  } cases[] = {
      {"", ProcessRole::AlreadyRunning},
      {"  ", ProcessRole::AlreadyRunning},
      {"Diet", ProcessRole::Diet},
      {" Diet ", ProcessRole::Diet},
      {"Menu", ProcessRole::Menu},
      // Case and extra words matter: these start a full second instance.
      {"diet", ProcessRole::Resident},
      {"DIET", ProcessRole::Resident},
      {"menu", ProcessRole::Resident},
      {"Diet Menu", ProcessRole::Resident},
      {"Diet2", ProcessRole::Resident},
      {"\"Diet\"", ProcessRole::Resident},
      {"/x", ProcessRole::Resident},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::DecideProcessRole(true, c.args), c.role) << "[" << c.args << "]";
}

TEST(InstanceMutexName, IsPerUserInTheSessionNamespace) {
  const std::string name = qb::InstanceMutexName("S-1-5-21-1-2-3-1001");
  EXPECT_EQ(name.rfind("Local\\", 0), 0u);
  EXPECT_NE(name.find("S-1-5-21-1-2-3-1001"), std::string::npos);
  EXPECT_NE(qb::InstanceMutexName("S-1-5-21-1-2-3-1002"), name);
}

TEST(InstanceMutexName, KeepsBackslashesOutOfTheIdentity) {
  // A user name fallback such as DOMAIN\user must not create a path below the namespace.
  const std::string name = qb::InstanceMutexName("DOMAIN\\user");
  EXPECT_EQ(name.find('\\', std::string("Local\\").size()), std::string::npos) << name;
  EXPECT_NE(name.find("user"), std::string::npos);
}

}  // namespace
