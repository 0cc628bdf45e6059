-- one table
  SELECT T1.name Name,
         T1.qty [Count],
         T1.added [Date],
         T1.[active] [Active]
    FROM t1 T1

-- chain 2 forward
  SELECT Main.name Name,
         T2.name Name_1
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 T2
                 ON T1.nxt = T2.id

-- chain 2 reversed
  SELECT Main.name Name,
         T2.name Name_1
    FROM t1 T1
         INNER JOIN t2 T2
                 ON T1.nxt = T2.id
         INNER JOIN t0 Main
                 ON Main.nxt = T1.id

-- chain 2 interleaved
  SELECT Main.name Name,
         T2.name Name_1
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 T2
                 ON T1.nxt = T2.id

-- chain 3 forward
  SELECT Main.name Name,
         [Order].name Name_1
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 T2
                 ON T1.nxt = T2.id
         INNER JOIN [order] [Order]
                 ON T2.nxt = [Order].id

-- chain 3 reversed
  SELECT Main.name Name,
         [Order].name Name_1
    FROM t2 T2
         INNER JOIN [order] [Order]
                 ON T2.nxt = [Order].id
         INNER JOIN t1 T1
                 ON T1.nxt = T2.id
         INNER JOIN t0 Main
                 ON Main.nxt = T1.id

-- chain 3 interleaved
  SELECT Main.name Name,
         [Order].name Name_1
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 T2
                 ON T1.nxt = T2.id
         INNER JOIN [order] [Order]
                 ON T2.nxt = [Order].id

-- chain 5 forward
  SELECT Main.name Name,
         Offset.name Name_1
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 T2
                 ON T1.nxt = T2.id
         INNER JOIN [order] [Order]
                 ON T2.nxt = [Order].id
         INNER JOIN t4 [Sale Items]
                 ON [Order].nxt = [Sale Items].id
         INNER JOIN offset Offset
                 ON [Sale Items].nxt = Offset.id

-- chain 5 reversed
  SELECT Main.name Name,
         Offset.name Name_1
    FROM t4 [Sale Items]
         INNER JOIN offset Offset
                 ON [Sale Items].nxt = Offset.id
         INNER JOIN [order] [Order]
                 ON [Order].nxt = [Sale Items].id
         INNER JOIN t2 T2
                 ON T2.nxt = [Order].id
         INNER JOIN t1 T1
                 ON T1.nxt = T2.id
         INNER JOIN t0 Main
                 ON Main.nxt = T1.id

-- chain 5 interleaved
  SELECT Main.name Name,
         Offset.name Name_1
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 T2
                 ON T1.nxt = T2.id
         INNER JOIN [order] [Order]
                 ON T2.nxt = [Order].id
         INNER JOIN t4 [Sale Items]
                 ON [Order].nxt = [Sale Items].id
         INNER JOIN offset Offset
                 ON [Sale Items].nxt = Offset.id

-- chain 10 forward
  SELECT Main.name Name,
         T10.name Name_1
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 T2
                 ON T1.nxt = T2.id
         INNER JOIN [order] [Order]
                 ON T2.nxt = [Order].id
         INNER JOIN t4 [Sale Items]
                 ON [Order].nxt = [Sale Items].id
         INNER JOIN offset Offset
                 ON [Sale Items].nxt = Offset.id
         INNER JOIN t6 T6
                 ON Offset.nxt = T6.id
         INNER JOIN t7 T7
                 ON T6.nxt = T7.id
         INNER JOIN t8 T8
                 ON T7.nxt = T8.id
         INNER JOIN t9 T9
                 ON T8.nxt = T9.id
         INNER JOIN t10 T10
                 ON T9.nxt = T10.id

-- chain 10 reversed
  SELECT Main.name Name,
         T10.name Name_1
    FROM t9 T9
         INNER JOIN t10 T10
                 ON T9.nxt = T10.id
         INNER JOIN t8 T8
                 ON T8.nxt = T9.id
         INNER JOIN t7 T7
                 ON T7.nxt = T8.id
         INNER JOIN t6 T6
                 ON T6.nxt = T7.id
         INNER JOIN offset Offset
                 ON Offset.nxt = T6.id
         INNER JOIN t4 [Sale Items]
                 ON [Sale Items].nxt = Offset.id
         INNER JOIN [order] [Order]
                 ON [Order].nxt = [Sale Items].id
         INNER JOIN t2 T2
                 ON T2.nxt = [Order].id
         INNER JOIN t1 T1
                 ON T1.nxt = T2.id
         INNER JOIN t0 Main
                 ON Main.nxt = T1.id

-- chain 10 interleaved
  SELECT Main.name Name,
         T10.name Name_1
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 T2
                 ON T1.nxt = T2.id
         INNER JOIN [order] [Order]
                 ON T2.nxt = [Order].id
         INNER JOIN t4 [Sale Items]
                 ON [Order].nxt = [Sale Items].id
         INNER JOIN offset Offset
                 ON [Sale Items].nxt = Offset.id
         INNER JOIN t6 T6
                 ON Offset.nxt = T6.id
         INNER JOIN t7 T7
                 ON T6.nxt = T7.id
         INNER JOIN t8 T8
                 ON T7.nxt = T8.id
         INNER JOIN t9 T9
                 ON T8.nxt = T9.id
         INNER JOIN t10 T10
                 ON T9.nxt = T10.id

-- star 2 forward
  SELECT Main.name Name,
         T1.qty [Count],
         T2.qty Count_1
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.id = T1.hub
         INNER JOIN t2 T2
                 ON Main.id = T2.hub

-- star 2 reversed
  SELECT Main.name Name,
         T1.qty [Count],
         T2.qty Count_1
    FROM t0 Main
         INNER JOIN t2 T2
                 ON Main.id = T2.hub
         INNER JOIN t1 T1
                 ON Main.id = T1.hub

-- star 2 interleaved
  SELECT Main.name Name,
         T1.qty [Count],
         T2.qty Count_1
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.id = T1.hub
         INNER JOIN t2 T2
                 ON T2.hub = Main.id

-- star 5 forward
  SELECT Main.name Name,
         T1.qty [Count],
         T2.qty Count_1,
         [Order].qty Count_2,
         [Sale Items].qty Count_3,
         Offset.qty Count_4
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.id = T1.hub
         INNER JOIN t2 T2
                 ON Main.id = T2.hub
         INNER JOIN [order] [Order]
                 ON Main.id = [Order].hub
         INNER JOIN t4 [Sale Items]
                 ON Main.id = [Sale Items].hub
         INNER JOIN offset Offset
                 ON Main.id = Offset.hub

-- star 5 reversed
  SELECT Main.name Name,
         T1.qty [Count],
         T2.qty Count_1,
         [Order].qty Count_2,
         [Sale Items].qty Count_3,
         Offset.qty Count_4
    FROM t0 Main
         INNER JOIN offset Offset
                 ON Main.id = Offset.hub
         INNER JOIN t4 [Sale Items]
                 ON Main.id = [Sale Items].hub
         INNER JOIN [order] [Order]
                 ON Main.id = [Order].hub
         INNER JOIN t2 T2
                 ON Main.id = T2.hub
         INNER JOIN t1 T1
                 ON Main.id = T1.hub

-- star 5 interleaved
  SELECT Main.name Name,
         T1.qty [Count],
         T2.qty Count_1,
         [Order].qty Count_2,
         [Sale Items].qty Count_3,
         Offset.qty Count_4
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.id = T1.hub
         INNER JOIN [order] [Order]
                 ON Main.id = [Order].hub
         INNER JOIN offset Offset
                 ON Main.id = Offset.hub
         INNER JOIN t2 T2
                 ON T2.hub = Main.id
         INNER JOIN t4 [Sale Items]
                 ON [Sale Items].hub = Main.id

-- star 10 forward
  SELECT Main.name Name,
         T1.qty [Count],
         T2.qty Count_1,
         [Order].qty Count_2,
         [Sale Items].qty Count_3,
         Offset.qty Count_4,
         T6.qty Count_5,
         T7.qty Count_6,
         T8.qty Count_7,
         T9.qty Count_8,
         T10.qty Count_9
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.id = T1.hub
         INNER JOIN t2 T2
                 ON Main.id = T2.hub
         INNER JOIN [order] [Order]
                 ON Main.id = [Order].hub
         INNER JOIN t4 [Sale Items]
                 ON Main.id = [Sale Items].hub
         INNER JOIN offset Offset
                 ON Main.id = Offset.hub
         INNER JOIN t6 T6
                 ON Main.id = T6.hub
         INNER JOIN t7 T7
                 ON Main.id = T7.hub
         INNER JOIN t8 T8
                 ON Main.id = T8.hub
         INNER JOIN t9 T9
                 ON Main.id = T9.hub
         INNER JOIN t10 T10
                 ON Main.id = T10.hub

-- star 10 reversed
  SELECT Main.name Name,
         T1.qty [Count],
         T2.qty Count_1,
         [Order].qty Count_2,
         [Sale Items].qty Count_3,
         Offset.qty Count_4,
         T6.qty Count_5,
         T7.qty Count_6,
         T8.qty Count_7,
         T9.qty Count_8,
         T10.qty Count_9
    FROM t0 Main
         INNER JOIN t10 T10
                 ON Main.id = T10.hub
         INNER JOIN t9 T9
                 ON Main.id = T9.hub
         INNER JOIN t8 T8
                 ON Main.id = T8.hub
         INNER JOIN t7 T7
                 ON Main.id = T7.hub
         INNER JOIN t6 T6
                 ON Main.id = T6.hub
         INNER JOIN offset Offset
                 ON Main.id = Offset.hub
         INNER JOIN t4 [Sale Items]
                 ON Main.id = [Sale Items].hub
         INNER JOIN [order] [Order]
                 ON Main.id = [Order].hub
         INNER JOIN t2 T2
                 ON Main.id = T2.hub
         INNER JOIN t1 T1
                 ON Main.id = T1.hub

-- star 10 interleaved
  SELECT Main.name Name,
         T1.qty [Count],
         T2.qty Count_1,
         [Order].qty Count_2,
         [Sale Items].qty Count_3,
         Offset.qty Count_4,
         T6.qty Count_5,
         T7.qty Count_6,
         T8.qty Count_7,
         T9.qty Count_8,
         T10.qty Count_9
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.id = T1.hub
         INNER JOIN [order] [Order]
                 ON Main.id = [Order].hub
         INNER JOIN offset Offset
                 ON Main.id = Offset.hub
         INNER JOIN t7 T7
                 ON Main.id = T7.hub
         INNER JOIN t9 T9
                 ON Main.id = T9.hub
         INNER JOIN t2 T2
                 ON T2.hub = Main.id
         INNER JOIN t4 [Sale Items]
                 ON [Sale Items].hub = Main.id
         INNER JOIN t6 T6
                 ON T6.hub = Main.id
         INNER JOIN t8 T8
                 ON T8.hub = Main.id
         INNER JOIN t10 T10
                 ON T10.hub = Main.id

-- cycle
  SELECT Main.name Name,
         T2.name Name_1
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 T2
                 ON T1.nxt = T2.id
                AND T2.hub = Main.id

-- cycle out of order
  SELECT Main.name Name,
         T2.name Name_1
    FROM t2 T2
         INNER JOIN t0 Main
                 ON T2.hub = Main.id
         INNER JOIN t1 T1
                 ON T1.nxt = T2.id
                AND Main.nxt = T1.id

-- left chain
  SELECT Main.id Id,
         T1.id Id_1,
         T2.id Id_2
    FROM t0 Main
         LEFT OUTER JOIN t1 T1
                      ON Main.nxt = T1.id
         LEFT OUTER JOIN t2 T2
                      ON T1.nxt = T2.id

-- left chain 4 interleaved
  SELECT Main.id Id,
         T1.id Id_1,
         T2.id Id_2,
         [Order].id Id_3,
         [Sale Items].id Id_4
    FROM t0 Main
         LEFT OUTER JOIN t1 T1
                      ON Main.nxt = T1.id
         LEFT OUTER JOIN t2 T2
                      ON T1.nxt = T2.id
         LEFT OUTER JOIN [order] [Order]
                      ON T2.nxt = [Order].id
         LEFT OUTER JOIN t4 [Sale Items]
                      ON [Order].nxt = [Sale Items].id

-- left chain 3 reversed
  SELECT Main.id Id,
         T1.id Id_1,
         T2.id Id_2,
         [Order].id Id_3
    FROM t2 T2
         LEFT OUTER JOIN [order] [Order]
                      ON T2.nxt = [Order].id
         RIGHT OUTER JOIN t1 T1
                       ON T1.nxt = T2.id
         RIGHT OUTER JOIN t0 Main
                       ON Main.nxt = T1.id

-- right join
  SELECT T1.id Id,
         T2.id Id_1
    FROM t1 T1
         RIGHT OUTER JOIN t2 T2
                       ON T1.nxt = T2.id

-- left then right
  SELECT Main.id Id,
         T1.id Id_1,
         T2.id Id_2
    FROM t0 Main
         LEFT OUTER JOIN t1 T1
                      ON Main.nxt = T1.id
         RIGHT OUTER JOIN t2 T2
                       ON T1.nxt = T2.id

-- right join written backwards
  SELECT Main.id Id,
         T1.id Id_1,
         T2.id Id_2
    FROM t1 T1
         INNER JOIN t2 T2
                 ON T1.nxt = T2.id
         LEFT OUTER JOIN t0 Main
                      ON Main.nxt = T1.id

-- chain and star
  SELECT Main.name Name,
         T1.qty [Count],
         [Order].name Name_1
    FROM t2 T2
         INNER JOIN [order] [Order]
                 ON T2.nxt = [Order].id
         INNER JOIN t0 Main
                 ON Main.id = T2.hub
         INNER JOIN t1 T1
                 ON Main.id = T1.hub

-- left join written backwards
  SELECT Main.id Id,
         T1.id Id_1,
         T2.id Id_2
    FROM t1 T1
         INNER JOIN t2 T2
                 ON T1.nxt = T2.id
         RIGHT OUTER JOIN t0 Main
                       ON Main.nxt = T1.id

-- group sum sorted by the sum
  SELECT T1.[active] [Active],
         SUM(T1.qty) [Count]
    FROM t1 T1
GROUP BY [Active]
ORDER BY [Count] DESC

-- group with every aggregate
  SELECT Main.[active] [Active],
         COUNT(T1.id) [Rows],
         MIN(T1.added) [First],
         MAX(T1.[unit price]) [Max],
         AVG(T1.qty) [Avg],
         SUM(T1.limit) [Sum]
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.nxt = T1.id
GROUP BY [Active]
ORDER BY [Active] ASC

-- having on shown and hidden aggregates
  SELECT T2.[active] [Active],
         SUM(T2.qty) [Count]
    FROM t2 T2
GROUP BY [Active]
  HAVING (((SUM(T2.qty) > 3)
     AND (COUNT(T2.id) >= 1)))

-- hidden group sorted
  SELECT SUM([Order].qty) Total
    FROM [order] [Order]
GROUP BY [Order].[active]
ORDER BY [Order].[active] ASC

-- hidden sum sorted with having
  SELECT [Sale Items].[active] [Active]
    FROM t4 [Sale Items]
GROUP BY [Active]
  HAVING (((SUM([Sale Items].limit) < 1000)))
ORDER BY SUM([Sale Items].limit) DESC

-- calculated group and sum
  SELECT Main.qty * 2 [Double],
         SUM(Main.[unit price] + 1) [Value]
    FROM t0 Main
GROUP BY [Double]
ORDER BY [Double] ASC

-- calculated text joined
  SELECT T1.id Id,
         T1.name || ' (' || (T1.[unit price] * 2) || ')' Label
    FROM t1 T1

-- hidden min, max and average in having
  SELECT T7.[active] [Active]
    FROM t7 T7
GROUP BY [Active]
  HAVING (((MIN(T7.added) >= 1/1/1990)
     AND (MAX(T7.name) > B))
      OR ((AVG(T7.qty) > 6)))

-- distinct
  SELECT DISTINCT
         T1.[active] [Active]
    FROM t1 T1
ORDER BY [Active] ASC

-- distinct over a join
  SELECT DISTINCT
         Main.[active] [Active],
         T1.hub Hub
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.nxt = T1.id

-- sorted shown and hidden values
  SELECT T1.name Name
    FROM t1 T1
ORDER BY Name DESC,
         T1.id ASC

-- top values
ERROR: Error: The XQuery dialect cannot limit a query to its top values

-- distinct top values after an offset
ERROR: Error: The XQuery dialect cannot limit a query to its top values

-- text equal
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.name = "Acme")))

-- text list
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.name IN("Acme", "Zeus"))))

-- text between
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.name BETWEEN "A" AND "M")))

-- text greater
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.name > "M")))

-- text at least
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.name >= "Zeus")))

-- text less
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.name < "B")))

-- text at most
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.name <= "Acme")))

-- text like
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.name LIKE "%e%")))

-- text not in
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.name NOT IN("Acme", "Zeus"))))

-- text not between
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.name NOT BETWEEN "A" AND "M")))

-- text not like
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.name NOT LIKE "B%")))

-- text quote
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.name = "O'Brien")))

-- number equal
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.qty = 4 OR T1.qty = 7)))

-- number between
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.qty BETWEEN 2 AND 6)))

-- number greater
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.qty > 5)))

-- number at least
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.[unit price] >= 2.25)))

-- number less
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.qty < 5)))

-- number at most
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.limit <= 97)))

-- number not equal
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.qty <> 4 AND T1.qty <> 7)))

-- number not between
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.qty NOT BETWEEN 2 AND 6)))

-- date equal
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.added = #01/15/1998#)))

-- date between
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.added BETWEEN #01/01/1998# AND #12/31/2000#)))

-- date greater
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.added > #03/01/1999#)))

-- date at least
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.added >= #03/01/1999#)))

-- date less
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.added < #03/01/1999#)))

-- date at most
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.added <= #03/01/1999#)))

-- date not equal
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.added <> #01/15/1998#)))

-- date not between
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.added NOT BETWEEN #01/01/1998# AND #12/31/2000#)))

-- boolean true
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.[active] = True)))

-- boolean not false
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.[active] <> False)))

-- blank
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.name IS NULL)))

-- value or blank
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.name = "Acme" OR T1.name IS NULL)))

-- not blank
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.added IS NOT NULL)))

-- today
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.added = #12/08/2026#)))

-- space
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.name = " ")))

-- text parameter
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.name = "Zeus")))

-- number parameter
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.qty >= 5)))

-- date parameter
  SELECT T1.id Id
    FROM t1 T1
   WHERE (((T1.added < #01/01/2000#)))

-- filter rows on two tables
  SELECT Main.id Id,
         T1.name Name,
         Main.qty [Count]
    FROM t0 Main
         INNER JOIN t1 T1
                 ON Main.nxt = T1.id
   WHERE (((T1.name = "Zeus")
     AND (Main.qty > 2))
      OR ((Main.[active] = False)))

-- keywords and spaces in names
  SELECT [Order].name [Order],
         MAX([Sale Items].added) [Sale Date],
         COUNT(Offset.qty) [Count],
         SUM([Sale Items].limit) [Value]
    FROM [order] [Order]
         INNER JOIN t4 [Sale Items]
                 ON [Order].nxt = [Sale Items].id
         LEFT OUTER JOIN offset Offset
                      ON [Sale Items].nxt = Offset.id
GROUP BY [Order]
  HAVING (((SUM([Sale Items].limit) > 0)))
ORDER BY [Order] ASC,
         [Count] DESC

-- headers that hold quotes
  SELECT T1.id [x" FROM CUSTOMERS --],
         T1.added [Da"te],
         T1.name [a]]b]
    FROM t1 T1
ORDER BY [x" FROM CUSTOMERS --] ASC
