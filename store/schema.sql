-- The item table of sys.mdb: one row per item; ids only grow, new rows start unclicked.
CREATE TABLE T_ITEM(id INTEGER PRIMARY KEY AUTOINCREMENT, title TEXT, data1 TEXT, clicktimes INTEGER NOT NULL DEFAULT 0, lasttime DATETIME);
