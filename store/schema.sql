-- The item table of sys.mdb: one row per item; ids only grow, new rows start unclicked.
CREATE TABLE T_ITEM(id INTEGER PRIMARY KEY AUTOINCREMENT, title TEXT, data1 TEXT, clicktimes INTEGER NOT NULL DEFAULT 0, lasttime DATETIME);
-- The heat order, so that the hottest rows are found without reading every row (each row's
-- content stands between its id and its count); ties go by id, which every index entry ends with.
CREATE INDEX I_ITEM_HEAT ON T_ITEM(clicktimes desc, lasttime desc);
