-- one table
  SELECT T1.NAME,
         T1.QTY,
         T1.ADDED,
         T1."ACTIVE"
    FROM T1

-- chain 2 forward
  SELECT "Main".NAME,
         T2.NAME
    FROM (T0 "Main"
         INNER JOIN T1
                 ON "Main".NXT = T1.ID)
         INNER JOIN T2
                 ON T1.NXT = T2.ID

-- chain 2 reversed
  SELECT "Main".NAME,
         T2.NAME
    FROM (T1
         INNER JOIN T2
                 ON T1.NXT = T2.ID)
         INNER JOIN T0 "Main"
                 ON "Main".NXT = T1.ID

-- chain 2 interleaved
  SELECT "Main".NAME,
         T2.NAME
    FROM (T0 "Main"
         INNER JOIN T1
                 ON "Main".NXT = T1.ID)
         INNER JOIN T2
                 ON T1.NXT = T2.ID

-- chain 3 forward
  SELECT "Main".NAME,
         "Order".NAME
    FROM ((T0 "Main"
         INNER JOIN T1
                 ON "Main".NXT = T1.ID)
         INNER JOIN T2
                 ON T1.NXT = T2.ID)
         INNER JOIN "order" "Order"
                 ON T2.NXT = "Order".ID

-- chain 3 reversed
  SELECT "Main".NAME,
         "Order".NAME
    FROM ((T2
         INNER JOIN "order" "Order"
                 ON T2.NXT = "Order".ID)
         INNER JOIN T1
                 ON T1.NXT = T2.ID)
         INNER JOIN T0 "Main"
                 ON "Main".NXT = T1.ID

-- chain 3 interleaved
  SELECT "Main".NAME,
         "Order".NAME
    FROM ((T0 "Main"
         INNER JOIN T1
                 ON "Main".NXT = T1.ID)
         INNER JOIN T2
                 ON T1.NXT = T2.ID)
         INNER JOIN "order" "Order"
                 ON T2.NXT = "Order".ID

-- chain 5 forward
  SELECT "Main".NAME,
         "Offset".NAME
    FROM ((((T0 "Main"
         INNER JOIN T1
                 ON "Main".NXT = T1.ID)
         INNER JOIN T2
                 ON T1.NXT = T2.ID)
         INNER JOIN "order" "Order"
                 ON T2.NXT = "Order".ID)
         INNER JOIN T4 "Sale Items"
                 ON "Order".NXT = "Sale Items".ID)
         INNER JOIN "offset" "Offset"
                 ON "Sale Items".NXT = "Offset".ID

-- chain 5 reversed
  SELECT "Main".NAME,
         "Offset".NAME
    FROM ((((T4 "Sale Items"
         INNER JOIN "offset" "Offset"
                 ON "Sale Items".NXT = "Offset".ID)
         INNER JOIN "order" "Order"
                 ON "Order".NXT = "Sale Items".ID)
         INNER JOIN T2
                 ON T2.NXT = "Order".ID)
         INNER JOIN T1
                 ON T1.NXT = T2.ID)
         INNER JOIN T0 "Main"
                 ON "Main".NXT = T1.ID

-- chain 5 interleaved
  SELECT "Main".NAME,
         "Offset".NAME
    FROM ((((T0 "Main"
         INNER JOIN T1
                 ON "Main".NXT = T1.ID)
         INNER JOIN T2
                 ON T1.NXT = T2.ID)
         INNER JOIN "order" "Order"
                 ON T2.NXT = "Order".ID)
         INNER JOIN T4 "Sale Items"
                 ON "Order".NXT = "Sale Items".ID)
         INNER JOIN "offset" "Offset"
                 ON "Sale Items".NXT = "Offset".ID

-- chain 10 forward
  SELECT "Main".NAME,
         T10.NAME
    FROM (((((((((T0 "Main"
         INNER JOIN T1
                 ON "Main".NXT = T1.ID)
         INNER JOIN T2
                 ON T1.NXT = T2.ID)
         INNER JOIN "order" "Order"
                 ON T2.NXT = "Order".ID)
         INNER JOIN T4 "Sale Items"
                 ON "Order".NXT = "Sale Items".ID)
         INNER JOIN "offset" "Offset"
                 ON "Sale Items".NXT = "Offset".ID)
         INNER JOIN T6
                 ON "Offset".NXT = T6.ID)
         INNER JOIN T7
                 ON T6.NXT = T7.ID)
         INNER JOIN T8
                 ON T7.NXT = T8.ID)
         INNER JOIN T9
                 ON T8.NXT = T9.ID)
         INNER JOIN T10
                 ON T9.NXT = T10.ID

-- chain 10 reversed
  SELECT "Main".NAME,
         T10.NAME
    FROM (((((((((T9
         INNER JOIN T10
                 ON T9.NXT = T10.ID)
         INNER JOIN T8
                 ON T8.NXT = T9.ID)
         INNER JOIN T7
                 ON T7.NXT = T8.ID)
         INNER JOIN T6
                 ON T6.NXT = T7.ID)
         INNER JOIN "offset" "Offset"
                 ON "Offset".NXT = T6.ID)
         INNER JOIN T4 "Sale Items"
                 ON "Sale Items".NXT = "Offset".ID)
         INNER JOIN "order" "Order"
                 ON "Order".NXT = "Sale Items".ID)
         INNER JOIN T2
                 ON T2.NXT = "Order".ID)
         INNER JOIN T1
                 ON T1.NXT = T2.ID)
         INNER JOIN T0 "Main"
                 ON "Main".NXT = T1.ID

-- chain 10 interleaved
  SELECT "Main".NAME,
         T10.NAME
    FROM (((((((((T0 "Main"
         INNER JOIN T1
                 ON "Main".NXT = T1.ID)
         INNER JOIN T2
                 ON T1.NXT = T2.ID)
         INNER JOIN "order" "Order"
                 ON T2.NXT = "Order".ID)
         INNER JOIN T4 "Sale Items"
                 ON "Order".NXT = "Sale Items".ID)
         INNER JOIN "offset" "Offset"
                 ON "Sale Items".NXT = "Offset".ID)
         INNER JOIN T6
                 ON "Offset".NXT = T6.ID)
         INNER JOIN T7
                 ON T6.NXT = T7.ID)
         INNER JOIN T8
                 ON T7.NXT = T8.ID)
         INNER JOIN T9
                 ON T8.NXT = T9.ID)
         INNER JOIN T10
                 ON T9.NXT = T10.ID

-- star 2 forward
  SELECT "Main".NAME,
         T1.QTY,
         T2.QTY
    FROM (T0 "Main"
         INNER JOIN T1
                 ON "Main".ID = T1.HUB)
         INNER JOIN T2
                 ON "Main".ID = T2.HUB

-- star 2 reversed
  SELECT "Main".NAME,
         T1.QTY,
         T2.QTY
    FROM (T0 "Main"
         INNER JOIN T2
                 ON "Main".ID = T2.HUB)
         INNER JOIN T1
                 ON "Main".ID = T1.HUB

-- star 2 interleaved
  SELECT "Main".NAME,
         T1.QTY,
         T2.QTY
    FROM (T0 "Main"
         INNER JOIN T1
                 ON "Main".ID = T1.HUB)
         INNER JOIN T2
                 ON T2.HUB = "Main".ID

-- star 5 forward
  SELECT "Main".NAME,
         T1.QTY,
         T2.QTY,
         "Order".QTY,
         "Sale Items".QTY,
         "Offset".QTY
    FROM ((((T0 "Main"
         INNER JOIN T1
                 ON "Main".ID = T1.HUB)
         INNER JOIN T2
                 ON "Main".ID = T2.HUB)
         INNER JOIN "order" "Order"
                 ON "Main".ID = "Order".HUB)
         INNER JOIN T4 "Sale Items"
                 ON "Main".ID = "Sale Items".HUB)
         INNER JOIN "offset" "Offset"
                 ON "Main".ID = "Offset".HUB

-- star 5 reversed
  SELECT "Main".NAME,
         T1.QTY,
         T2.QTY,
         "Order".QTY,
         "Sale Items".QTY,
         "Offset".QTY
    FROM ((((T0 "Main"
         INNER JOIN "offset" "Offset"
                 ON "Main".ID = "Offset".HUB)
         INNER JOIN T4 "Sale Items"
                 ON "Main".ID = "Sale Items".HUB)
         INNER JOIN "order" "Order"
                 ON "Main".ID = "Order".HUB)
         INNER JOIN T2
                 ON "Main".ID = T2.HUB)
         INNER JOIN T1
                 ON "Main".ID = T1.HUB

-- star 5 interleaved
  SELECT "Main".NAME,
         T1.QTY,
         T2.QTY,
         "Order".QTY,
         "Sale Items".QTY,
         "Offset".QTY
    FROM ((((T0 "Main"
         INNER JOIN T1
                 ON "Main".ID = T1.HUB)
         INNER JOIN "order" "Order"
                 ON "Main".ID = "Order".HUB)
         INNER JOIN "offset" "Offset"
                 ON "Main".ID = "Offset".HUB)
         INNER JOIN T2
                 ON T2.HUB = "Main".ID)
         INNER JOIN T4 "Sale Items"
                 ON "Sale Items".HUB = "Main".ID

-- star 10 forward
  SELECT "Main".NAME,
         T1.QTY,
         T2.QTY,
         "Order".QTY,
         "Sale Items".QTY,
         "Offset".QTY,
         T6.QTY,
         T7.QTY,
         T8.QTY,
         T9.QTY,
         T10.QTY
    FROM (((((((((T0 "Main"
         INNER JOIN T1
                 ON "Main".ID = T1.HUB)
         INNER JOIN T2
                 ON "Main".ID = T2.HUB)
         INNER JOIN "order" "Order"
                 ON "Main".ID = "Order".HUB)
         INNER JOIN T4 "Sale Items"
                 ON "Main".ID = "Sale Items".HUB)
         INNER JOIN "offset" "Offset"
                 ON "Main".ID = "Offset".HUB)
         INNER JOIN T6
                 ON "Main".ID = T6.HUB)
         INNER JOIN T7
                 ON "Main".ID = T7.HUB)
         INNER JOIN T8
                 ON "Main".ID = T8.HUB)
         INNER JOIN T9
                 ON "Main".ID = T9.HUB)
         INNER JOIN T10
                 ON "Main".ID = T10.HUB

-- star 10 reversed
  SELECT "Main".NAME,
         T1.QTY,
         T2.QTY,
         "Order".QTY,
         "Sale Items".QTY,
         "Offset".QTY,
         T6.QTY,
         T7.QTY,
         T8.QTY,
         T9.QTY,
         T10.QTY
    FROM (((((((((T0 "Main"
         INNER JOIN T10
                 ON "Main".ID = T10.HUB)
         INNER JOIN T9
                 ON "Main".ID = T9.HUB)
         INNER JOIN T8
                 ON "Main".ID = T8.HUB)
         INNER JOIN T7
                 ON "Main".ID = T7.HUB)
         INNER JOIN T6
                 ON "Main".ID = T6.HUB)
         INNER JOIN "offset" "Offset"
                 ON "Main".ID = "Offset".HUB)
         INNER JOIN T4 "Sale Items"
                 ON "Main".ID = "Sale Items".HUB)
         INNER JOIN "order" "Order"
                 ON "Main".ID = "Order".HUB)
         INNER JOIN T2
                 ON "Main".ID = T2.HUB)
         INNER JOIN T1
                 ON "Main".ID = T1.HUB

-- star 10 interleaved
  SELECT "Main".NAME,
         T1.QTY,
         T2.QTY,
         "Order".QTY,
         "Sale Items".QTY,
         "Offset".QTY,
         T6.QTY,
         T7.QTY,
         T8.QTY,
         T9.QTY,
         T10.QTY
    FROM (((((((((T0 "Main"
         INNER JOIN T1
                 ON "Main".ID = T1.HUB)
         INNER JOIN "order" "Order"
                 ON "Main".ID = "Order".HUB)
         INNER JOIN "offset" "Offset"
                 ON "Main".ID = "Offset".HUB)
         INNER JOIN T7
                 ON "Main".ID = T7.HUB)
         INNER JOIN T9
                 ON "Main".ID = T9.HUB)
         INNER JOIN T2
                 ON T2.HUB = "Main".ID)
         INNER JOIN T4 "Sale Items"
                 ON "Sale Items".HUB = "Main".ID)
         INNER JOIN T6
                 ON T6.HUB = "Main".ID)
         INNER JOIN T8
                 ON T8.HUB = "Main".ID)
         INNER JOIN T10
                 ON T10.HUB = "Main".ID

-- cycle
  SELECT "Main".NAME,
         T2.NAME
    FROM (T0 "Main"
         INNER JOIN T1
                 ON "Main".NXT = T1.ID)
         INNER JOIN T2
                 ON T1.NXT = T2.ID
                AND T2.HUB = "Main".ID

-- cycle out of order
  SELECT "Main".NAME,
         T2.NAME
    FROM (T2
         INNER JOIN T0 "Main"
                 ON T2.HUB = "Main".ID)
         INNER JOIN T1
                 ON T1.NXT = T2.ID
                AND "Main".NXT = T1.ID

-- left chain
  SELECT "Main".ID,
         T1.ID,
         T2.ID
    FROM (T0 "Main"
         LEFT OUTER JOIN T1
                      ON "Main".NXT = T1.ID)
         LEFT OUTER JOIN T2
                      ON T1.NXT = T2.ID

-- left chain 4 interleaved
  SELECT "Main".ID,
         T1.ID,
         T2.ID,
         "Order".ID,
         "Sale Items".ID
    FROM (((T0 "Main"
         LEFT OUTER JOIN T1
                      ON "Main".NXT = T1.ID)
         LEFT OUTER JOIN T2
                      ON T1.NXT = T2.ID)
         LEFT OUTER JOIN "order" "Order"
                      ON T2.NXT = "Order".ID)
         LEFT OUTER JOIN T4 "Sale Items"
                      ON "Order".NXT = "Sale Items".ID

-- left chain 3 reversed
  SELECT "Main".ID,
         T1.ID,
         T2.ID,
         "Order".ID
    FROM ((T2
         LEFT OUTER JOIN "order" "Order"
                      ON T2.NXT = "Order".ID)
         RIGHT OUTER JOIN T1
                       ON T1.NXT = T2.ID)
         RIGHT OUTER JOIN T0 "Main"
                       ON "Main".NXT = T1.ID

-- right join
  SELECT T1.ID,
         T2.ID
    FROM T1
         RIGHT OUTER JOIN T2
                       ON T1.NXT = T2.ID

-- left then right
  SELECT "Main".ID,
         T1.ID,
         T2.ID
    FROM (T0 "Main"
         LEFT OUTER JOIN T1
                      ON "Main".NXT = T1.ID)
         RIGHT OUTER JOIN T2
                       ON T1.NXT = T2.ID

-- right join written backwards
  SELECT "Main".ID,
         T1.ID,
         T2.ID
    FROM (T1
         INNER JOIN T2
                 ON T1.NXT = T2.ID)
         LEFT OUTER JOIN T0 "Main"
                      ON "Main".NXT = T1.ID

-- chain and star
  SELECT "Main".NAME,
         T1.QTY,
         "Order".NAME
    FROM ((T2
         INNER JOIN "order" "Order"
                 ON T2.NXT = "Order".ID)
         INNER JOIN T0 "Main"
                 ON "Main".ID = T2.HUB)
         INNER JOIN T1
                 ON "Main".ID = T1.HUB

-- left join written backwards
  SELECT "Main".ID,
         T1.ID,
         T2.ID
    FROM (T1
         INNER JOIN T2
                 ON T1.NXT = T2.ID)
         RIGHT OUTER JOIN T0 "Main"
                       ON "Main".NXT = T1.ID

-- group sum sorted by the sum
  SELECT T1."ACTIVE",
         SUM(T1.QTY)
    FROM T1
GROUP BY T1."ACTIVE"
ORDER BY SUM(T1.QTY) DESC

-- group with every aggregate
  SELECT "Main"."ACTIVE",
         COUNT(T1.ID),
         MIN(T1.ADDED),
         MAX(T1."unit price"),
         AVG(CAST(T1.QTY AS DOUBLE PRECISION)),
         SUM(T1."limit")
    FROM T0 "Main"
         INNER JOIN T1
                 ON "Main".NXT = T1.ID
GROUP BY "Main"."ACTIVE"
ORDER BY "Main"."ACTIVE" ASC

-- having on shown and hidden aggregates
  SELECT T2."ACTIVE",
         SUM(T2.QTY)
    FROM T2
GROUP BY T2."ACTIVE"
  HAVING (((SUM(T2.QTY) > 3)
     AND (COUNT(T2.ID) >= 1)))

-- hidden group sorted
  SELECT SUM("Order".QTY)
    FROM "order" "Order"
GROUP BY "Order"."ACTIVE"
ORDER BY "Order"."ACTIVE" ASC

-- hidden sum sorted with having
  SELECT "Sale Items"."ACTIVE"
    FROM T4 "Sale Items"
GROUP BY "Sale Items"."ACTIVE"
  HAVING (((SUM("Sale Items"."limit") < 1000)))
ORDER BY SUM("Sale Items"."limit") DESC

-- calculated group and sum
  SELECT "Main".QTY * 2,
         SUM("Main"."unit price" + 1)
    FROM T0 "Main"
GROUP BY "Main".QTY * 2
ORDER BY "Main".QTY * 2 ASC

-- calculated text joined
  SELECT T1.ID,
         T1.NAME || ' (' || (T1."unit price" * 2) || ')'
    FROM T1

-- hidden min, max and average in having
  SELECT T7."ACTIVE"
    FROM T7
GROUP BY T7."ACTIVE"
  HAVING (((MIN(T7.ADDED) >= '1990-01-01')
     AND (MAX(T7.NAME) > 'B'))
      OR ((AVG(CAST(T7.QTY AS DOUBLE PRECISION)) > 6)))

-- distinct
  SELECT DISTINCT
         T1."ACTIVE"
    FROM T1
ORDER BY T1."ACTIVE" ASC

-- distinct over a join
  SELECT DISTINCT
         "Main"."ACTIVE",
         T1.HUB
    FROM T0 "Main"
         INNER JOIN T1
                 ON "Main".NXT = T1.ID

-- sorted shown and hidden values
  SELECT T1.NAME
    FROM T1
ORDER BY T1.NAME DESC,
         T1.ID ASC

-- top values
  SELECT T1.ID,
         T1.NAME
    FROM T1
ORDER BY T1.ID DESC
    ROWS 3

-- distinct top values after an offset
  SELECT DISTINCT
         T2.ID
    FROM T2
ORDER BY T2.ID ASC
    ROWS 2 TO 3

-- text equal
  SELECT T1.ID
    FROM T1
   WHERE (((T1.NAME = 'Acme')))

-- text list
  SELECT T1.ID
    FROM T1
   WHERE (((T1.NAME IN('Acme', 'Zeus'))))

-- text between
  SELECT T1.ID
    FROM T1
   WHERE (((T1.NAME BETWEEN 'A' AND 'M')))

-- text greater
  SELECT T1.ID
    FROM T1
   WHERE (((T1.NAME > 'M')))

-- text at least
  SELECT T1.ID
    FROM T1
   WHERE (((T1.NAME >= 'Zeus')))

-- text less
  SELECT T1.ID
    FROM T1
   WHERE (((T1.NAME < 'B')))

-- text at most
  SELECT T1.ID
    FROM T1
   WHERE (((T1.NAME <= 'Acme')))

-- text like
  SELECT T1.ID
    FROM T1
   WHERE (((T1.NAME LIKE '%e%')))

-- text not in
  SELECT T1.ID
    FROM T1
   WHERE (((T1.NAME NOT IN('Acme', 'Zeus'))))

-- text not between
  SELECT T1.ID
    FROM T1
   WHERE (((T1.NAME NOT BETWEEN 'A' AND 'M')))

-- text not like
  SELECT T1.ID
    FROM T1
   WHERE (((T1.NAME NOT LIKE 'B%')))

-- text quote
  SELECT T1.ID
    FROM T1
   WHERE (((T1.NAME = 'O''Brien')))

-- number equal
  SELECT T1.ID
    FROM T1
   WHERE (((T1.QTY = 4 OR T1.QTY = 7)))

-- number between
  SELECT T1.ID
    FROM T1
   WHERE (((T1.QTY BETWEEN 2 AND 6)))

-- number greater
  SELECT T1.ID
    FROM T1
   WHERE (((T1.QTY > 5)))

-- number at least
  SELECT T1.ID
    FROM T1
   WHERE (((T1."unit price" >= 2.25)))

-- number less
  SELECT T1.ID
    FROM T1
   WHERE (((T1.QTY < 5)))

-- number at most
  SELECT T1.ID
    FROM T1
   WHERE (((T1."limit" <= 97)))

-- number not equal
  SELECT T1.ID
    FROM T1
   WHERE (((T1.QTY <> 4 AND T1.QTY <> 7)))

-- number not between
  SELECT T1.ID
    FROM T1
   WHERE (((T1.QTY NOT BETWEEN 2 AND 6)))

-- date equal
  SELECT T1.ID
    FROM T1
   WHERE (((T1.ADDED = '1998-01-15')))

-- date between
  SELECT T1.ID
    FROM T1
   WHERE (((T1.ADDED BETWEEN '1998-01-01' AND '2000-12-31')))

-- date greater
  SELECT T1.ID
    FROM T1
   WHERE (((T1.ADDED > '1999-03-01')))

-- date at least
  SELECT T1.ID
    FROM T1
   WHERE (((T1.ADDED >= '1999-03-01')))

-- date less
  SELECT T1.ID
    FROM T1
   WHERE (((T1.ADDED < '1999-03-01')))

-- date at most
  SELECT T1.ID
    FROM T1
   WHERE (((T1.ADDED <= '1999-03-01')))

-- date not equal
  SELECT T1.ID
    FROM T1
   WHERE (((T1.ADDED <> '1998-01-15')))

-- date not between
  SELECT T1.ID
    FROM T1
   WHERE (((T1.ADDED NOT BETWEEN '1998-01-01' AND '2000-12-31')))

-- boolean true
  SELECT T1.ID
    FROM T1
   WHERE (((T1."ACTIVE" = True)))

-- boolean not false
  SELECT T1.ID
    FROM T1
   WHERE (((T1."ACTIVE" <> False)))

-- blank
  SELECT T1.ID
    FROM T1
   WHERE (((T1.NAME IS NULL)))

-- value or blank
  SELECT T1.ID
    FROM T1
   WHERE (((T1.NAME = 'Acme' OR T1.NAME IS NULL)))

-- not blank
  SELECT T1.ID
    FROM T1
   WHERE (((T1.ADDED IS NOT NULL)))

-- today
  SELECT T1.ID
    FROM T1
   WHERE (((T1.ADDED = '2026-12-08')))

-- space
  SELECT T1.ID
    FROM T1
   WHERE (((T1.NAME = ' ')))

-- text parameter
  SELECT T1.ID
    FROM T1
   WHERE (((T1.NAME = 'Zeus')))

-- number parameter
  SELECT T1.ID
    FROM T1
   WHERE (((T1.QTY >= 5)))

-- date parameter
  SELECT T1.ID
    FROM T1
   WHERE (((T1.ADDED < '2000-01-01')))

-- filter rows on two tables
  SELECT "Main".ID,
         T1.NAME,
         "Main".QTY
    FROM T0 "Main"
         INNER JOIN T1
                 ON "Main".NXT = T1.ID
   WHERE (((T1.NAME = 'Zeus')
     AND ("Main".QTY > 2))
      OR (("Main"."ACTIVE" = False)))

-- keywords and spaces in names
  SELECT "Order".NAME,
         MAX("Sale Items".ADDED),
         COUNT("Offset".QTY),
         SUM("Sale Items"."limit")
    FROM ("order" "Order"
         INNER JOIN T4 "Sale Items"
                 ON "Order".NXT = "Sale Items".ID)
         LEFT OUTER JOIN "offset" "Offset"
                      ON "Sale Items".NXT = "Offset".ID
GROUP BY "Order".NAME
  HAVING (((SUM("Sale Items"."limit") > 0)))
ORDER BY "Order".NAME ASC,
         COUNT("Offset".QTY) DESC

-- headers that hold quotes
  SELECT T1.ID,
         T1.ADDED,
         T1.NAME
    FROM T1
ORDER BY T1.ID ASC
