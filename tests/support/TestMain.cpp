// The main function of every test program.
//
// GoogleTest's result printer, on Windows, hands each failed or skipped assertion to
// OutputDebugStringA as well as to standard output. That call raises an exception for a
// debugger, and under 32-bit Wine through user-mode QEMU the exception can crash or hang the
// program, hiding the very failure it reports. So the default printer is wrapped: assertions
// are printed here, to standard output alone and in the same form, and every other event goes
// to the default printer unchanged (its "[  SKIPPED ]" lines are what CTest's skip rule reads).
//
// After each test, whatever its assertions did, the system is given back as the program found
// it, so no test starts from what another left. A run that selects no test fails: a filter
// naming a test that was renamed runs nothing, which is no pass.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "platform/HostSupport.h"

namespace {

using testing::TestEventListener;
using testing::TestPartResult;
using testing::TestSuite;
using testing::UnitTest;

const char* KindOf(const TestPartResult& result)
{
    return result.skipped() ? "Skipped" : "Failure";
}

class AssertionPrinter final : public TestEventListener {
public:
    explicit AssertionPrinter(TestEventListener* defaultPrinter) : printer_(defaultPrinter) {}

    void OnTestPartResult(const TestPartResult& result) override
    {
        if (result.type() == TestPartResult::kSuccess)
            return;
        const std::string location =
            testing::internal::FormatFileLocation(result.file_name(), result.line_number());
        std::printf("%s %s\n%s\n", location.c_str(), KindOf(result), result.message());
        std::fflush(stdout);
    }

    void OnTestProgramStart(const UnitTest& test) override { printer_->OnTestProgramStart(test); }
    void OnTestIterationStart(const UnitTest& test, int iteration) override
    {
        printer_->OnTestIterationStart(test, iteration);
    }
    void OnEnvironmentsSetUpStart(const UnitTest& test) override
    {
        printer_->OnEnvironmentsSetUpStart(test);
    }
    void OnEnvironmentsSetUpEnd(const UnitTest& test) override
    {
        printer_->OnEnvironmentsSetUpEnd(test);
    }
    void OnTestSuiteStart(const TestSuite& suite) override { printer_->OnTestSuiteStart(suite); }
#ifndef GTEST_REMOVE_LEGACY_TEST_CASEAPI_
    // The default printer writes a suite's header and footer through these older names.
    void OnTestCaseStart(const TestSuite& suite) override
    {
        printer_->OnTestCaseStart(suite);
    }
    void OnTestCaseEnd(const TestSuite& suite) override
    {
        printer_->OnTestCaseEnd(suite);
    }
#endif
    void OnTestStart(const testing::TestInfo& info) override
    {
        printer_->OnTestStart(info);
    }
    void OnTestDisabled(const testing::TestInfo& info) override
    {
        printer_->OnTestDisabled(info);
    }
    void OnTestEnd(const testing::TestInfo& info) override
    {
        printer_->OnTestEnd(info);
    }
    void OnTestSuiteEnd(const TestSuite& suite) override
    {
        printer_->OnTestSuiteEnd(suite);
    }
    void OnEnvironmentsTearDownStart(const UnitTest& test) override
    {
        printer_->OnEnvironmentsTearDownStart(test);
    }
    void OnEnvironmentsTearDownEnd(const UnitTest& test) override
    {
        printer_->OnEnvironmentsTearDownEnd(test);
    }
    void OnTestIterationEnd(const UnitTest& test, int iteration) override
    {
        printer_->OnTestIterationEnd(test, iteration);
    }
    void OnTestProgramEnd(const UnitTest& test) override
    {
        printer_->OnTestProgramEnd(test);
    }

private:
    std::unique_ptr<TestEventListener> printer_;
};

class SystemReset final : public testing::EmptyTestEventListener {
public:
    void OnTestEnd(const testing::TestInfo&) override { stem::platform::ResetTestSystem(); }
};

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::TestEventListeners& listeners = UnitTest::GetInstance()->listeners();
    TestEventListener* defaultPrinter = listeners.Release(listeners.default_result_printer());
    if (defaultPrinter != nullptr)
        listeners.Append(new AssertionPrinter(defaultPrinter));
    listeners.Append(new SystemReset);
    const int failed = RUN_ALL_TESTS();
    if (UnitTest::GetInstance()->test_to_run_count() == 0) {
        std::printf("No test matches the filter: a test it names is missing.\n");
        return 1;
    }
    return failed;
}
