#include "core/JobList.h"

#include <gtest/gtest.h>

TEST(JobList, KeepsDropOrderAndRefusesPastItsLastPlace)
{
    JobList jobs;
    for (int i = 0; i < JobList::kMaxJobFiles; ++i)
        ASSERT_TRUE(jobs.RegisterJobFile(std::to_string(i) + ".nc"));
    EXPECT_FALSE(jobs.RegisterJobFile("extra.nc"));
    EXPECT_EQ(jobs.count(), 1000);
    EXPECT_EQ(jobs.files().back(), "999.nc");
    jobs.clear();
    EXPECT_TRUE(jobs.RegisterJobFile("again.nc"));
    EXPECT_EQ(jobs.files(), std::vector<std::string>{"again.nc"});
}
