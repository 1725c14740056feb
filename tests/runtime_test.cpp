// The screen runtime with small screens of its own.

#include "ui/runtime.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"
#include "ui/recording_desktop.h"

using namespace nubera;
using namespace nubera::decl;
using enum ScreenId;

namespace {

struct Toy {
  ScreenKind a, b;
  ScreenSet set{};
  std::vector<std::string> trace;

  Toy() {
    a.decl.id = Form1;
    a.decl.caption = "A";
    a.decl.clientWidth = a.decl.clientHeight = 1000;
    a.decl.controls = {textBox("T1", "start", {}), textBox("T2", "", {}),
                       button("Go", "go", {}),     option("O1", "on", {}),
                       option("O2", "off", {}),    label("Hid", "x", {}).hidden()};
    b.decl.id = Form2;
    b.decl.caption = "B";
    b.decl.clientWidth = b.decl.clientHeight = 1000;
    b.decl.controls = {textBox("T1", "b-default", {}), button("Go", "go", {})};
    a.load = [this](Runtime&) { trace.push_back("load A"); };
    b.load = [this](Runtime& rt) {
      trace.push_back("load B");
      rt.setText(Form1, "T2", "from B");
    };
    a.changes["T1"] = [this](Runtime& rt) { trace.push_back("A.T1=" + rt.text(Form1, "T1")); };
    // T2 pulls B's T1 back, as the creation screens do with their settings screens.
    a.changes["T2"] = [this](Runtime& rt) {
      trace.push_back("A.T2=" + rt.text(Form1, "T2"));
      rt.setText(Form1, "T2", rt.text(Form2, "T1"));
    };
    b.changes["T1"] = [this](Runtime& rt) {
      trace.push_back("B.T1=" + rt.text(Form2, "T1"));
      rt.setText(Form1, "T2", rt.text(Form2, "T1"));
    };
    a.clicks["O1"] = [this](Runtime& rt) {
      trace.push_back("click O1");
      rt.choose(Form1, "O1");
    };
    set.kinds[1] = &a;
    set.kinds[2] = &b;
  }
};

struct RuntimeTest : ::testing::Test {
  Toy toy;
  MemoryFileSystem files{"C:\\Tool"};
  RecordingDesktop desktop;
  Runtime rt{toy.set, files, desktop};
};

}  // namespace

TEST_F(RuntimeTest, ChangeHandlersRunOnlyWhenTheTextDiffers) {
  rt.start(Form1);
  toy.trace.clear();
  rt.setText(Form1, "T1", "start");
  EXPECT_TRUE(toy.trace.empty());
  rt.setText(Form1, "T1", "new");
  EXPECT_EQ(toy.trace, std::vector<std::string>{"A.T1=new"});
}

TEST_F(RuntimeTest, UsingAFieldCreatesTheScreenHiddenAndTheChainEnds) {
  rt.start(Form1);
  toy.trace.clear();
  // Reading B creates it; its load writes into A, whose handler pulls B's value back.
  EXPECT_EQ(rt.text(Form2, "T1"), "b-default");
  EXPECT_EQ(toy.trace, (std::vector<std::string>{"load B", "A.T2=from B", "A.T2=b-default"}));
  EXPECT_FALSE(rt.find(Form2)->visible);
  EXPECT_EQ(rt.text(Form1, "T2"), "b-default");

  toy.trace.clear();
  rt.userEdit(Form1, "T2", "typed");  // put back at once
  EXPECT_EQ(rt.text(Form1, "T2"), "b-default");
  EXPECT_EQ(toy.trace, (std::vector<std::string>{"A.T2=typed", "A.T2=b-default"}));
}

TEST_F(RuntimeTest, UnloadDropsValuesAndNextUseStartsFromDefaults) {
  rt.start(Form1);
  rt.setText(Form2, "T1", "changed");
  rt.unload(Form2);
  EXPECT_EQ(rt.find(Form2), nullptr);
  rt.unload(Form2);  // not there: left alone, not created
  EXPECT_EQ(rt.find(Form2), nullptr);
  EXPECT_EQ(rt.text(Form2, "T1"), "b-default");
}

TEST_F(RuntimeTest, AHandlerMayUnloadItsOwnScreen) {
  toy.b.load = nullptr;
  toy.a.clicks["Go"] = [](Runtime& rt) {
    rt.unload(Form1);
    rt.show(Form2);
    rt.message(Message(std::string("after")));
  };
  rt.start(Form1);
  rt.userClick(Form1, "Go");
  EXPECT_EQ(rt.find(Form1), nullptr);
  EXPECT_TRUE(rt.find(Form2)->visible);
  EXPECT_EQ(desktop.messages(), std::vector<std::string>{"after"});
  EXPECT_FALSE(rt.ended());
}

TEST_F(RuntimeTest, ChoosingAnOptionRunsItsClickOnce) {
  rt.start(Form1);
  toy.trace.clear();
  rt.choose(Form1, "O2");
  rt.choose(Form1, "O1");
  EXPECT_EQ(toy.trace, std::vector<std::string>{"click O1"});
  EXPECT_TRUE(rt.checked(Form1, "O1"));
  EXPECT_FALSE(rt.checked(Form1, "O2"));
  rt.userClick(Form1, "O1");  // already chosen
  EXPECT_EQ(toy.trace.size(), 1u);
}

TEST_F(RuntimeTest, NoScreenLeftVisibleEndsTheProgram) {
  rt.start(Form1);
  rt.text(Form2, "T1");  // B exists, hidden
  rt.userClose(Form1);
  EXPECT_TRUE(rt.ended());
  EXPECT_EQ(rt.find(Form2), nullptr);
  EXPECT_EQ(desktop.log().back(), "end");
  rt.userClick(Form1, "Go");  // nothing happens any more
  EXPECT_EQ(rt.find(Form1), nullptr);
}

TEST_F(RuntimeTest, EndProgramStopsTheRunningHandler) {
  toy.a.clicks["Go"] = [](Runtime& rt) {
    rt.endProgram();
    rt.message(Message(std::string("never")));
  };
  rt.start(Form1);
  rt.userClick(Form1, "Go");
  EXPECT_TRUE(rt.ended());
  EXPECT_EQ(desktop.log(), std::vector<std::string>{"end"});
}

TEST_F(RuntimeTest, AFailingHandlerIsReportedAndTheScreensStay) {
  toy.a.clicks["Go"] = [](Runtime& rt) {
    rt.setText(Form1, "T1", "half");
    throw FileError(FileError::Operation::Write, "C:\\Tool\\x.ram", FileCause::Denied);
  };
  rt.start(Form1);
  rt.userClick(Form1, "Go");
  ASSERT_EQ(desktop.messages().size(), 1u);
  EXPECT_NE(desktop.messages()[0].find("C:\\Tool\\x.ram"), std::string::npos);
  EXPECT_TRUE(rt.find(Form1)->visible);
  EXPECT_FALSE(rt.ended());
}

TEST_F(RuntimeTest, AnEndlessChainIsStopped) {
  toy.a.changes["T1"] = [](Runtime& rt) { rt.setText(Form1, "T1", rt.text(Form1, "T1") + "x"); };
  rt.start(Form1);
  rt.userEdit(Form1, "T1", "a");
  EXPECT_EQ(desktop.messages().size(), 1u);
  EXPECT_FALSE(rt.ended());
}
