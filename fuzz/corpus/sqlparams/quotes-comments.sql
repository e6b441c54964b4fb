SELECT ':NOT' FROM X WHERE A = :A -- :COMMENT
 AND B = :A /* :C */ AND "Q:R" = :B