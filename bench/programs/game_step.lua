-- 500,000 steps of a small game, one function call each: eight objects move and bounce off the
-- walls, each is tested against a player that sweeps to and fro along the bottom, and the state
-- string decides whether a step plays or waits out the pause before the next game.
local ox, oy, dx, dy = {}, {}, {}, {}
local w, h = 784, 561
local px, py, pdx = 392, 500, 3
local steps, nsteps, score, hits, lives, games, countdown = 0, 500000, 0, 0, 3, 0, 0
local mode = "play"
for k = 1, 8 do
  ox[k] = k * 90
  oy[k] = k * 60
  dx[k] = k % 3 + 1
  dy[k] = k % 4 + 2
end
local function gamestep()
  if mode == "over" then countdown = countdown - 1 end
  if mode == "over" and countdown < 1 then games = games + 1; lives = 3; mode = "play" end
  if mode ~= "play" then return end
  px = px + pdx
  if px < 20 or px > 764 then pdx = 0 - pdx end
  local pl, pr, pt, pb = px - 20, px + 20, py - 20, py + 20
  local k = 0
  while k < 8 do
    k = k + 1
    local x = ox[k] + dx[k]
    local y = oy[k] + dy[k]
    if x < 0 or x > w then dx[k] = 0 - dx[k]; x = ox[k] + dx[k] end
    if y < 0 or y > h then dy[k] = 0 - dy[k]; y = oy[k] + dy[k] end
    if x > pl and x < pr and y > pt and y < pb then hits = hits + 1; lives = lives - 1; y = 0 end
    ox[k] = x
    oy[k] = y
  end
  score = score + 1
  if lives < 1 then mode = "over"; countdown = 30 end
end
while steps < nsteps do
  steps = steps + 1
  gamestep()
end
print(score)
print(hits)
print(games)
