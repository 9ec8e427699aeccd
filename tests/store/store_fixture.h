// A test item database of the test's own, with a session and a connection string for it.
#pragma once

#include "store/connstr.h"
#include "store/dbsession.h"
#include "tests/support/testdb.h"

#include <gtest/gtest.h>

class StoreTest : public ::testing::Test {
protected:
    // Creates the database with these rows and points the session at it.
    void CreateItems(const std::vector<testing_support::TestItem>& items)
    {
        testing_support::CreateItemDatabase(m_path, items);
    }
    std::vector<testing_support::StoredItem> Items() const { return testing_support::ReadItems(m_path); }
    CString ConnStr(int busyTimeoutMs = 5000) const
    {
        return BuildConnectionString(m_path.c_str(), busyTimeoutMs);
    }

    void SetUp() override
    {
        m_path = testing_support::TestTempPath(L"sys.mdb");
        m_session.SetConnectionString(ConnStr());
    }

    std::wstring m_path;
    CDbSession m_session;
};
