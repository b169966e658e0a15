#include "JobList.h"

#include <gtest/gtest.h>

TEST(JobList, KeepsDropOrderAndRefusesPastItsLastPlace)
{
    JobList jobs;
    for (int i = 0; i < JobList::kMaxJobFiles; ++i)
        ASSERT_TRUE(jobs.RegisterJobFile("/nc/" + std::to_string(i) + ".nc"));
    EXPECT_EQ(jobs.freePlaces(), 0);
    EXPECT_FALSE(jobs.RegisterJobFile("/nc/extra.nc"));
    EXPECT_EQ(jobs.count(), 1000);
    EXPECT_EQ(jobs.files().front(), "/nc/0.nc");
    EXPECT_EQ(jobs.files().back(), "/nc/999.nc");

    jobs.clear();
    EXPECT_EQ(jobs.count(), 0);
    EXPECT_TRUE(jobs.RegisterJobFile("/nc/again.nc"));
    EXPECT_EQ(jobs.files(), std::vector<std::string>{"/nc/again.nc"});
}
