-- one table
  SELECT T1.name AS Name,
         T1.qty AS `Count`,
         T1.added AS `Date`,
         T1.`active` AS `Active`
    FROM t1 AS T1

-- chain 2 forward
  SELECT Main.name AS Name,
         T2.name AS Name_1
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 AS T2
                 ON T1.nxt = T2.id

-- chain 2 reversed
  SELECT Main.name AS Name,
         T2.name AS Name_1
    FROM t1 AS T1
         INNER JOIN t2 AS T2
                 ON T1.nxt = T2.id
         INNER JOIN t0 AS Main
                 ON Main.nxt = T1.id

-- chain 2 interleaved
  SELECT Main.name AS Name,
         T2.name AS Name_1
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 AS T2
                 ON T1.nxt = T2.id

-- chain 3 forward
  SELECT Main.name AS Name,
         `Order`.name AS Name_1
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 AS T2
                 ON T1.nxt = T2.id
         INNER JOIN `order` AS `Order`
                 ON T2.nxt = `Order`.id

-- chain 3 reversed
  SELECT Main.name AS Name,
         `Order`.name AS Name_1
    FROM t2 AS T2
         INNER JOIN `order` AS `Order`
                 ON T2.nxt = `Order`.id
         INNER JOIN t1 AS T1
                 ON T1.nxt = T2.id
         INNER JOIN t0 AS Main
                 ON Main.nxt = T1.id

-- chain 3 interleaved
  SELECT Main.name AS Name,
         `Order`.name AS Name_1
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 AS T2
                 ON T1.nxt = T2.id
         INNER JOIN `order` AS `Order`
                 ON T2.nxt = `Order`.id

-- chain 5 forward
  SELECT Main.name AS Name,
         `Offset`.name AS Name_1
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 AS T2
                 ON T1.nxt = T2.id
         INNER JOIN `order` AS `Order`
                 ON T2.nxt = `Order`.id
         INNER JOIN t4 AS `Sale Items`
                 ON `Order`.nxt = `Sale Items`.id
         INNER JOIN `offset` AS `Offset`
                 ON `Sale Items`.nxt = `Offset`.id

-- chain 5 reversed
  SELECT Main.name AS Name,
         `Offset`.name AS Name_1
    FROM t4 AS `Sale Items`
         INNER JOIN `offset` AS `Offset`
                 ON `Sale Items`.nxt = `Offset`.id
         INNER JOIN `order` AS `Order`
                 ON `Order`.nxt = `Sale Items`.id
         INNER JOIN t2 AS T2
                 ON T2.nxt = `Order`.id
         INNER JOIN t1 AS T1
                 ON T1.nxt = T2.id
         INNER JOIN t0 AS Main
                 ON Main.nxt = T1.id

-- chain 5 interleaved
  SELECT Main.name AS Name,
         `Offset`.name AS Name_1
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 AS T2
                 ON T1.nxt = T2.id
         INNER JOIN `order` AS `Order`
                 ON T2.nxt = `Order`.id
         INNER JOIN t4 AS `Sale Items`
                 ON `Order`.nxt = `Sale Items`.id
         INNER JOIN `offset` AS `Offset`
                 ON `Sale Items`.nxt = `Offset`.id

-- chain 10 forward
  SELECT Main.name AS Name,
         T10.name AS Name_1
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 AS T2
                 ON T1.nxt = T2.id
         INNER JOIN `order` AS `Order`
                 ON T2.nxt = `Order`.id
         INNER JOIN t4 AS `Sale Items`
                 ON `Order`.nxt = `Sale Items`.id
         INNER JOIN `offset` AS `Offset`
                 ON `Sale Items`.nxt = `Offset`.id
         INNER JOIN t6 AS T6
                 ON `Offset`.nxt = T6.id
         INNER JOIN t7 AS T7
                 ON T6.nxt = T7.id
         INNER JOIN t8 AS T8
                 ON T7.nxt = T8.id
         INNER JOIN t9 AS T9
                 ON T8.nxt = T9.id
         INNER JOIN t10 AS T10
                 ON T9.nxt = T10.id

-- chain 10 reversed
  SELECT Main.name AS Name,
         T10.name AS Name_1
    FROM t9 AS T9
         INNER JOIN t10 AS T10
                 ON T9.nxt = T10.id
         INNER JOIN t8 AS T8
                 ON T8.nxt = T9.id
         INNER JOIN t7 AS T7
                 ON T7.nxt = T8.id
         INNER JOIN t6 AS T6
                 ON T6.nxt = T7.id
         INNER JOIN `offset` AS `Offset`
                 ON `Offset`.nxt = T6.id
         INNER JOIN t4 AS `Sale Items`
                 ON `Sale Items`.nxt = `Offset`.id
         INNER JOIN `order` AS `Order`
                 ON `Order`.nxt = `Sale Items`.id
         INNER JOIN t2 AS T2
                 ON T2.nxt = `Order`.id
         INNER JOIN t1 AS T1
                 ON T1.nxt = T2.id
         INNER JOIN t0 AS Main
                 ON Main.nxt = T1.id

-- chain 10 interleaved
  SELECT Main.name AS Name,
         T10.name AS Name_1
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 AS T2
                 ON T1.nxt = T2.id
         INNER JOIN `order` AS `Order`
                 ON T2.nxt = `Order`.id
         INNER JOIN t4 AS `Sale Items`
                 ON `Order`.nxt = `Sale Items`.id
         INNER JOIN `offset` AS `Offset`
                 ON `Sale Items`.nxt = `Offset`.id
         INNER JOIN t6 AS T6
                 ON `Offset`.nxt = T6.id
         INNER JOIN t7 AS T7
                 ON T6.nxt = T7.id
         INNER JOIN t8 AS T8
                 ON T7.nxt = T8.id
         INNER JOIN t9 AS T9
                 ON T8.nxt = T9.id
         INNER JOIN t10 AS T10
                 ON T9.nxt = T10.id

-- star 2 forward
  SELECT Main.name AS Name,
         T1.qty AS `Count`,
         T2.qty AS Count_1
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.id = T1.hub
         INNER JOIN t2 AS T2
                 ON Main.id = T2.hub

-- star 2 reversed
  SELECT Main.name AS Name,
         T1.qty AS `Count`,
         T2.qty AS Count_1
    FROM t0 AS Main
         INNER JOIN t2 AS T2
                 ON Main.id = T2.hub
         INNER JOIN t1 AS T1
                 ON Main.id = T1.hub

-- star 2 interleaved
  SELECT Main.name AS Name,
         T1.qty AS `Count`,
         T2.qty AS Count_1
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.id = T1.hub
         INNER JOIN t2 AS T2
                 ON T2.hub = Main.id

-- star 5 forward
  SELECT Main.name AS Name,
         T1.qty AS `Count`,
         T2.qty AS Count_1,
         `Order`.qty AS Count_2,
         `Sale Items`.qty AS Count_3,
         `Offset`.qty AS Count_4
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.id = T1.hub
         INNER JOIN t2 AS T2
                 ON Main.id = T2.hub
         INNER JOIN `order` AS `Order`
                 ON Main.id = `Order`.hub
         INNER JOIN t4 AS `Sale Items`
                 ON Main.id = `Sale Items`.hub
         INNER JOIN `offset` AS `Offset`
                 ON Main.id = `Offset`.hub

-- star 5 reversed
  SELECT Main.name AS Name,
         T1.qty AS `Count`,
         T2.qty AS Count_1,
         `Order`.qty AS Count_2,
         `Sale Items`.qty AS Count_3,
         `Offset`.qty AS Count_4
    FROM t0 AS Main
         INNER JOIN `offset` AS `Offset`
                 ON Main.id = `Offset`.hub
         INNER JOIN t4 AS `Sale Items`
                 ON Main.id = `Sale Items`.hub
         INNER JOIN `order` AS `Order`
                 ON Main.id = `Order`.hub
         INNER JOIN t2 AS T2
                 ON Main.id = T2.hub
         INNER JOIN t1 AS T1
                 ON Main.id = T1.hub

-- star 5 interleaved
  SELECT Main.name AS Name,
         T1.qty AS `Count`,
         T2.qty AS Count_1,
         `Order`.qty AS Count_2,
         `Sale Items`.qty AS Count_3,
         `Offset`.qty AS Count_4
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.id = T1.hub
         INNER JOIN `order` AS `Order`
                 ON Main.id = `Order`.hub
         INNER JOIN `offset` AS `Offset`
                 ON Main.id = `Offset`.hub
         INNER JOIN t2 AS T2
                 ON T2.hub = Main.id
         INNER JOIN t4 AS `Sale Items`
                 ON `Sale Items`.hub = Main.id

-- star 10 forward
  SELECT Main.name AS Name,
         T1.qty AS `Count`,
         T2.qty AS Count_1,
         `Order`.qty AS Count_2,
         `Sale Items`.qty AS Count_3,
         `Offset`.qty AS Count_4,
         T6.qty AS Count_5,
         T7.qty AS Count_6,
         T8.qty AS Count_7,
         T9.qty AS Count_8,
         T10.qty AS Count_9
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.id = T1.hub
         INNER JOIN t2 AS T2
                 ON Main.id = T2.hub
         INNER JOIN `order` AS `Order`
                 ON Main.id = `Order`.hub
         INNER JOIN t4 AS `Sale Items`
                 ON Main.id = `Sale Items`.hub
         INNER JOIN `offset` AS `Offset`
                 ON Main.id = `Offset`.hub
         INNER JOIN t6 AS T6
                 ON Main.id = T6.hub
         INNER JOIN t7 AS T7
                 ON Main.id = T7.hub
         INNER JOIN t8 AS T8
                 ON Main.id = T8.hub
         INNER JOIN t9 AS T9
                 ON Main.id = T9.hub
         INNER JOIN t10 AS T10
                 ON Main.id = T10.hub

-- star 10 reversed
  SELECT Main.name AS Name,
         T1.qty AS `Count`,
         T2.qty AS Count_1,
         `Order`.qty AS Count_2,
         `Sale Items`.qty AS Count_3,
         `Offset`.qty AS Count_4,
         T6.qty AS Count_5,
         T7.qty AS Count_6,
         T8.qty AS Count_7,
         T9.qty AS Count_8,
         T10.qty AS Count_9
    FROM t0 AS Main
         INNER JOIN t10 AS T10
                 ON Main.id = T10.hub
         INNER JOIN t9 AS T9
                 ON Main.id = T9.hub
         INNER JOIN t8 AS T8
                 ON Main.id = T8.hub
         INNER JOIN t7 AS T7
                 ON Main.id = T7.hub
         INNER JOIN t6 AS T6
                 ON Main.id = T6.hub
         INNER JOIN `offset` AS `Offset`
                 ON Main.id = `Offset`.hub
         INNER JOIN t4 AS `Sale Items`
                 ON Main.id = `Sale Items`.hub
         INNER JOIN `order` AS `Order`
                 ON Main.id = `Order`.hub
         INNER JOIN t2 AS T2
                 ON Main.id = T2.hub
         INNER JOIN t1 AS T1
                 ON Main.id = T1.hub

-- star 10 interleaved
  SELECT Main.name AS Name,
         T1.qty AS `Count`,
         T2.qty AS Count_1,
         `Order`.qty AS Count_2,
         `Sale Items`.qty AS Count_3,
         `Offset`.qty AS Count_4,
         T6.qty AS Count_5,
         T7.qty AS Count_6,
         T8.qty AS Count_7,
         T9.qty AS Count_8,
         T10.qty AS Count_9
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.id = T1.hub
         INNER JOIN `order` AS `Order`
                 ON Main.id = `Order`.hub
         INNER JOIN `offset` AS `Offset`
                 ON Main.id = `Offset`.hub
         INNER JOIN t7 AS T7
                 ON Main.id = T7.hub
         INNER JOIN t9 AS T9
                 ON Main.id = T9.hub
         INNER JOIN t2 AS T2
                 ON T2.hub = Main.id
         INNER JOIN t4 AS `Sale Items`
                 ON `Sale Items`.hub = Main.id
         INNER JOIN t6 AS T6
                 ON T6.hub = Main.id
         INNER JOIN t8 AS T8
                 ON T8.hub = Main.id
         INNER JOIN t10 AS T10
                 ON T10.hub = Main.id

-- cycle
  SELECT Main.name AS Name,
         T2.name AS Name_1
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.nxt = T1.id
         INNER JOIN t2 AS T2
                 ON T1.nxt = T2.id
                AND T2.hub = Main.id

-- cycle out of order
  SELECT Main.name AS Name,
         T2.name AS Name_1
    FROM t2 AS T2
         INNER JOIN t0 AS Main
                 ON T2.hub = Main.id
         INNER JOIN t1 AS T1
                 ON T1.nxt = T2.id
                AND Main.nxt = T1.id

-- left chain
  SELECT Main.id AS Id,
         T1.id AS Id_1,
         T2.id AS Id_2
    FROM t0 AS Main
         LEFT OUTER JOIN t1 AS T1
                      ON Main.nxt = T1.id
         LEFT OUTER JOIN t2 AS T2
                      ON T1.nxt = T2.id

-- left chain 4 interleaved
  SELECT Main.id AS Id,
         T1.id AS Id_1,
         T2.id AS Id_2,
         `Order`.id AS Id_3,
         `Sale Items`.id AS Id_4
    FROM t0 AS Main
         LEFT OUTER JOIN t1 AS T1
                      ON Main.nxt = T1.id
         LEFT OUTER JOIN t2 AS T2
                      ON T1.nxt = T2.id
         LEFT OUTER JOIN `order` AS `Order`
                      ON T2.nxt = `Order`.id
         LEFT OUTER JOIN t4 AS `Sale Items`
                      ON `Order`.nxt = `Sale Items`.id

-- left chain 3 reversed
  SELECT Main.id AS Id,
         T1.id AS Id_1,
         T2.id AS Id_2,
         `Order`.id AS Id_3
    FROM t2 AS T2
         LEFT OUTER JOIN `order` AS `Order`
                      ON T2.nxt = `Order`.id
         RIGHT OUTER JOIN t1 AS T1
                       ON T1.nxt = T2.id
         RIGHT OUTER JOIN t0 AS Main
                       ON Main.nxt = T1.id

-- right join
  SELECT T1.id AS Id,
         T2.id AS Id_1
    FROM t1 AS T1
         RIGHT OUTER JOIN t2 AS T2
                       ON T1.nxt = T2.id

-- left then right
  SELECT Main.id AS Id,
         T1.id AS Id_1,
         T2.id AS Id_2
    FROM t0 AS Main
         LEFT OUTER JOIN t1 AS T1
                      ON Main.nxt = T1.id
         RIGHT OUTER JOIN t2 AS T2
                       ON T1.nxt = T2.id

-- right join written backwards
  SELECT Main.id AS Id,
         T1.id AS Id_1,
         T2.id AS Id_2
    FROM t1 AS T1
         INNER JOIN t2 AS T2
                 ON T1.nxt = T2.id
         LEFT OUTER JOIN t0 AS Main
                      ON Main.nxt = T1.id

-- chain and star
  SELECT Main.name AS Name,
         T1.qty AS `Count`,
         `Order`.name AS Name_1
    FROM t2 AS T2
         INNER JOIN `order` AS `Order`
                 ON T2.nxt = `Order`.id
         INNER JOIN t0 AS Main
                 ON Main.id = T2.hub
         INNER JOIN t1 AS T1
                 ON Main.id = T1.hub

-- left join written backwards
  SELECT Main.id AS Id,
         T1.id AS Id_1,
         T2.id AS Id_2
    FROM t1 AS T1
         INNER JOIN t2 AS T2
                 ON T1.nxt = T2.id
         RIGHT OUTER JOIN t0 AS Main
                       ON Main.nxt = T1.id

-- group sum sorted by the sum
  SELECT T1.`active` AS `Active`,
         SUM(T1.qty) AS `Count`
    FROM t1 AS T1
GROUP BY T1.`active`
ORDER BY SUM(T1.qty) DESC

-- group with every aggregate
  SELECT Main.`active` AS `Active`,
         COUNT(T1.id) AS `Rows`,
         MIN(T1.added) AS `First`,
         MAX(T1.`unit price`) AS `Max`,
         AVG(T1.qty) AS `Avg`,
         SUM(T1.`limit`) AS `Sum`
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.nxt = T1.id
GROUP BY Main.`active`
ORDER BY Main.`active` ASC

-- having on shown and hidden aggregates
  SELECT T2.`active` AS `Active`,
         SUM(T2.qty) AS `Count`
    FROM t2 AS T2
GROUP BY T2.`active`
  HAVING (((SUM(T2.qty) > 3)
     AND (COUNT(T2.id) >= 1)))

-- hidden group sorted
  SELECT SUM(`Order`.qty) AS Total
    FROM `order` AS `Order`
GROUP BY `Order`.`active`
ORDER BY `Order`.`active` ASC

-- hidden sum sorted with having
  SELECT `Sale Items`.`active` AS `Active`
    FROM t4 AS `Sale Items`
GROUP BY `Sale Items`.`active`
  HAVING (((SUM(`Sale Items`.`limit`) < 1000)))
ORDER BY SUM(`Sale Items`.`limit`) DESC

-- calculated group and sum
  SELECT Main.qty * 2 AS `Double`,
         SUM(Main.`unit price` + 1) AS `Value`
    FROM t0 AS Main
GROUP BY Main.qty * 2
ORDER BY Main.qty * 2 ASC

-- calculated text joined
  SELECT T1.id AS Id,
         CONCAT(T1.name, ' (', (T1.`unit price` * 2), ')') AS Label
    FROM t1 AS T1

-- hidden min, max and average in having
  SELECT T7.`active` AS `Active`
    FROM t7 AS T7
GROUP BY T7.`active`
  HAVING (((MIN(T7.added) >= '1990-01-01')
     AND (MAX(T7.name) > 'B'))
      OR ((AVG(T7.qty) > 6)))

-- distinct
  SELECT DISTINCT
         T1.`active` AS `Active`
    FROM t1 AS T1
ORDER BY T1.`active` ASC

-- distinct over a join
  SELECT DISTINCT
         Main.`active` AS `Active`,
         T1.hub AS Hub
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.nxt = T1.id

-- sorted shown and hidden values
  SELECT T1.name AS Name
    FROM t1 AS T1
ORDER BY T1.name DESC,
         T1.id ASC

-- top values
  SELECT T1.id AS Id,
         T1.name AS Name
    FROM t1 AS T1
ORDER BY T1.id DESC
   LIMIT 3

-- distinct top values after an offset
  SELECT DISTINCT
         T2.id AS Id
    FROM t2 AS T2
ORDER BY T2.id ASC
   LIMIT 2
  OFFSET 1

-- text equal
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.name = 'Acme')))

-- text list
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.name IN('Acme', 'Zeus'))))

-- text between
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.name BETWEEN 'A' AND 'M')))

-- text greater
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.name > 'M')))

-- text at least
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.name >= 'Zeus')))

-- text less
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.name < 'B')))

-- text at most
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.name <= 'Acme')))

-- text like
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.name LIKE '%e%')))

-- text not in
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.name NOT IN('Acme', 'Zeus'))))

-- text not between
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.name NOT BETWEEN 'A' AND 'M')))

-- text not like
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.name NOT LIKE 'B%')))

-- text quote
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.name = 'O''Brien')))

-- number equal
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.qty = 4 OR T1.qty = 7)))

-- number between
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.qty BETWEEN 2 AND 6)))

-- number greater
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.qty > 5)))

-- number at least
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.`unit price` >= 2.25)))

-- number less
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.qty < 5)))

-- number at most
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.`limit` <= 97)))

-- number not equal
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.qty <> 4 AND T1.qty <> 7)))

-- number not between
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.qty NOT BETWEEN 2 AND 6)))

-- date equal
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.added = '1998-01-15')))

-- date between
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.added BETWEEN '1998-01-01' AND '2000-12-31')))

-- date greater
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.added > '1999-03-01')))

-- date at least
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.added >= '1999-03-01')))

-- date less
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.added < '1999-03-01')))

-- date at most
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.added <= '1999-03-01')))

-- date not equal
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.added <> '1998-01-15')))

-- date not between
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.added NOT BETWEEN '1998-01-01' AND '2000-12-31')))

-- boolean true
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.`active` = True)))

-- boolean not false
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.`active` <> False)))

-- blank
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.name IS NULL)))

-- value or blank
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.name = 'Acme' OR T1.name IS NULL)))

-- not blank
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.added IS NOT NULL)))

-- today
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.added = '2026-12-08')))

-- space
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.name = ' ')))

-- text parameter
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.name = 'Zeus')))

-- number parameter
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.qty >= 5)))

-- date parameter
  SELECT T1.id AS Id
    FROM t1 AS T1
   WHERE (((T1.added < '2000-01-01')))

-- filter rows on two tables
  SELECT Main.id AS Id,
         T1.name AS Name,
         Main.qty AS `Count`
    FROM t0 AS Main
         INNER JOIN t1 AS T1
                 ON Main.nxt = T1.id
   WHERE (((T1.name = 'Zeus')
     AND (Main.qty > 2))
      OR ((Main.`active` = False)))

-- keywords and spaces in names
  SELECT `Order`.name AS `Order`,
         MAX(`Sale Items`.added) AS `Sale Date`,
         COUNT(`Offset`.qty) AS `Count`,
         SUM(`Sale Items`.`limit`) AS `Value`
    FROM `order` AS `Order`
         INNER JOIN t4 AS `Sale Items`
                 ON `Order`.nxt = `Sale Items`.id
         LEFT OUTER JOIN `offset` AS `Offset`
                      ON `Sale Items`.nxt = `Offset`.id
GROUP BY `Order`.name
  HAVING (((SUM(`Sale Items`.`limit`) > 0)))
ORDER BY `Order`.name ASC,
         COUNT(`Offset`.qty) DESC

-- headers that hold quotes
  SELECT T1.id AS `x" FROM CUSTOMERS --`,
         T1.added AS `Da"te`,
         T1.name AS `a]b`
    FROM t1 AS T1
ORDER BY T1.id ASC
